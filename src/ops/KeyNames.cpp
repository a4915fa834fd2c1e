#include "ops/KeyNames.h"

#include <algorithm>
#include <cwctype>

#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace keynames {

bool Same(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}

std::wstring FromText(std::string_view text) {
    return FromSystemText(text);
}

std::string ToText(std::wstring_view name) {
    return ToSystemText(name);
}

const KeyTableEntry* Find(std::string_view text) {
    const std::wstring name = FromText(text);
    if (name.empty()) return nullptr;
    for (const KeyTableEntry& entry : KeyTableEntries())
        if (Same(entry.name, name)) return &entry;
    return nullptr;
}

}  // namespace keynames
