#include "persist/BackupEntryNames.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "records/KeyAliases.h"
#include "records/KeyTable.h"
#include "records/SystemText.h"

namespace persist {
const KeyTableEntry* KeyByName(const std::string& text) {
    return FindKeyByName(FromSystemText(text));
}

namespace {

std::string Hex(const char* prefix, unsigned value) {
    char text[24];
    std::snprintf(text, sizeof text, "%s0x%X", prefix, value);
    return text;
}

// "PREFIX0x..." with one to eight hex digits.
std::optional<unsigned> HexAfter(const std::string& text, const std::string& prefix) {
    if (text.size() <= prefix.size() + 2 || text.size() > prefix.size() + 10 ||
        text.compare(0, prefix.size() + 2, prefix + "0x") != 0)
        return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = prefix.size() + 2; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// "PREFIX" and a decimal number of one to four digits.
std::optional<std::size_t> DecimalAfter(const std::string& text, const std::string& prefix) {
    if (text.size() <= prefix.size() || text.size() > prefix.size() + 4 ||
        text.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    std::size_t value = 0;
    for (std::size_t i = prefix.size(); i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    return value;
}

}  // namespace

std::vector<std::string> EntryIds(const std::vector<std::string>& names, const char* fallback) {
    std::map<std::string, int> uses;
    for (const std::string& name : names) ++uses[name];
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        // A name that looks like a fallback id would be read as one.
        const bool usable =
            !name.empty() && uses[name] == 1 &&
            name.compare(0, std::string(fallback).size() + 1, std::string(fallback) + " ") != 0;
        ids.push_back(usable ? name : std::string(fallback) + " " + std::to_string(i));
    }
    return ids;
}

int FindEntry(const std::vector<std::string>& ids, const std::string& id) {
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

int FindKeyEntry(const std::vector<std::string>& ids, const std::string& id) {
    if (const int entry = FindEntry(ids, id); entry >= 0) return entry;
    // Files of earlier versions: a key's former name, or its number where the name was doubled.
    const std::wstring_view own = KeyTableName(FromSystemText(id));
    if (!own.empty())
        if (const int entry = FindEntry(ids, ToSystemText(own)); entry >= 0) return entry;
    const auto number = DecimalAfter(id, "entry ");
    return number && *number < ids.size() ? static_cast<int>(*number) : -1;
}

std::string UsageText(std::uint8_t usage) {
    const KeyTableEntry& entry = FindKeyByUsage(usage);
    const std::string name = ToSystemText(entry.name);
    const KeyTableEntry* back = entry.isEmpty() ? nullptr : KeyByName(name);
    return back && back->usage == usage ? name : Hex("usage ", usage);
}

std::optional<std::uint8_t> UsageFromText(const std::string& text) {
    if (const KeyTableEntry* entry = KeyByName(text); entry && entry->usage <= 0xFF)
        return static_cast<std::uint8_t>(entry->usage);
    const auto value = HexAfter(text, "usage ");
    if (!value || *value > 0xFF) return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

std::string CodeText(std::int32_t code) {
    const KeyTableEntry& entry = FindKeyByCode(static_cast<std::uint32_t>(code));
    const std::string name = ToSystemText(entry.name);
    const KeyTableEntry* back = entry.isEmpty() ? nullptr : KeyByName(name);
    if (back && back->code() == code) return name;
    return Hex("code ", static_cast<std::uint32_t>(code));
}

std::optional<std::int32_t> CodeFromText(const std::string& text) {
    if (const KeyTableEntry* entry = KeyByName(text)) return entry->code();
    if (const auto value = HexAfter(text, "code ")) return static_cast<std::int32_t>(*value);
    return std::nullopt;
}

}  // namespace persist
