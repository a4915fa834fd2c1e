#include "records/KeyAliases.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "records/KeyTable.h"

namespace {

// One alias names one key: where the picture prints a label twice (Shift, Ctrl, Alt, Win,
// Enter), the label names the left or main-block key.
constexpr std::array<KeyAlias, 35> kAliases{{
    {L"PrtSc", L"PrintScreen"},
    {L"ScrLk", L"ScrollLock"},
    {L"Ins", L"Insert"},
    {L"Del", L"Delete"},
    {L"PgUp", L"PageUp"},
    {L"PgDn", L"PageDown"},
    {L"Num", L"NumLock"},
    {L"Caps", L"CapsLock"},
    {L"Shift", L"ShiftLeft"},
    {L"Ctrl", L"CtrlLeft"},
    {L"Alt", L"AltLeft"},
    {L"Win", L"WinLeft"},
    {L"Menu", L"App"},
    {L"Return", L"Enter"},
    {L"Space", L"SpaceBar"},
    {L"Up", L"ArrowUp"},
    {L"Down", L"ArrowDown"},
    {L"Left", L"ArrowLeft"},
    {L"Right", L"ArrowRight"},
    {L"\u2191", L"ArrowUp"},
    {L"\u2193", L"ArrowDown"},
    {L"\u2190", L"ArrowLeft"},
    {L"\u2192", L"ArrowRight"},
    {L"`", L"~"},
    {L"#", L"ISO#"},
    {L"Ro", L"K56"},
    {L"Quote", L"'"},
    {L"Backslash", L"\\"},
    {L"Minus", L"-"},
    {L"Equals", L"="},
    {L"Comma", L","},
    {L"Period", L"."},
    {L"Slash", L"/"},
    // Written by earlier versions.
    {L"\u2018", L"'"},
    {L"K45", L"ISO\\"},
}};

}  // namespace

std::span<const KeyAlias> KeyAliases() {
    return kAliases;
}

bool SameKeyName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}

std::wstring_view KeyTableName(std::wstring_view name) {
    if (name.empty()) return {};
    for (const KeyTableEntry& entry : KeyTableEntries())
        if (SameKeyName(entry.name, name)) return entry.name;
    for (const KeyAlias& alias : kAliases)
        if (SameKeyName(alias.alias, name)) return alias.name;
    return {};
}

const KeyTableEntry* FindKeyByName(std::wstring_view name) {
    const std::wstring_view own = KeyTableName(name);
    if (own.empty()) return nullptr;
    const auto& keys = KeyTableEntries();
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const KeyTableEntry& entry) { return entry.name == own; });
    return found == keys.end() ? nullptr : &*found;
}
