#include "persist/BackupKeyNames.h"

#include <limits>

#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace persist {
namespace {

const KeyTableEntry* FirstNamed(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const KeyTableEntry& entry : KeyTableEntries()) {
        if (!entry.name.empty() && ToSystemText(entry.name) == name) return &entry;
    }
    return nullptr;
}

template <typename NumberOf>
std::optional<std::string> NameLeadingBack(const KeyTableEntry& entry, std::int64_t number,
                                           NumberOf numberOf) {
    if (entry.name.empty()) return std::nullopt;
    std::string name = ToSystemText(entry.name);
    const KeyTableEntry* back = FirstNamed(name);
    if (back == nullptr || numberOf(*back) != number) return std::nullopt;
    return name;
}

std::uint16_t Usage(const KeyTableEntry& entry) {
    return entry.usage;
}

std::uint16_t Code(const KeyTableEntry& entry) {
    return entry.code();
}

bool FitsU16(std::int64_t number) {
    return number >= 0 && number <= std::numeric_limits<std::uint16_t>::max();
}

}  // namespace

std::optional<std::string> KeyNameOfUsage(std::int64_t usage) {
    if (!FitsU16(usage)) return std::nullopt;
    return NameLeadingBack(FindKeyByUsage(static_cast<std::uint32_t>(usage)), usage, Usage);
}

std::optional<std::uint16_t> UsageOfKeyName(const std::string& name) {
    const KeyTableEntry* entry = FirstNamed(name);
    return entry == nullptr ? std::nullopt : std::optional<std::uint16_t>(entry->usage);
}

std::optional<std::string> KeyNameOfCode(std::int64_t code) {
    if (!FitsU16(code)) return std::nullopt;
    return NameLeadingBack(FindKeyByCode(static_cast<std::uint32_t>(code)), code, Code);
}

std::optional<std::uint16_t> CodeOfKeyName(const std::string& name) {
    const KeyTableEntry* entry = FirstNamed(name);
    return entry == nullptr ? std::nullopt : std::optional<std::uint16_t>(entry->code());
}

}  // namespace persist
