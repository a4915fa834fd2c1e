#pragma once
// How a backup file names table entries and macro step keys: readable names where a name gives
// the same entry back, exact numbers otherwise.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct KeyTableEntry;

namespace persist {

// One id per entry: its name when no other entry has it, else `fallback` and the entry's number
// ("entry 7").
std::vector<std::string> EntryIds(const std::vector<std::string>& names, const char* fallback);
// The entry the id names, or -1.
int FindEntry(const std::vector<std::string>& ids, const std::string& id);

// The entry a key id names: the id itself, or as earlier versions wrote it (a former key name,
// "entry 70" for a name then doubled); -1 when none.
int FindKeyEntry(const std::vector<std::string>& ids, const std::string& id);

// The first key of the key table with this (UTF-8) name or alias, ignoring case, or null.
const KeyTableEntry* KeyByName(const std::string& text);

// A HID usage as a step of a keyboard macro holds it: the key's name, or "usage 0x2A".
std::string UsageText(std::uint8_t usage);
std::optional<std::uint8_t> UsageFromText(const std::string& text);

// A set-1 key code as a group step holds it: the key's name, or "code 0x1E0".
std::string CodeText(std::int32_t code);
std::optional<std::int32_t> CodeFromText(const std::string& text);

}  // namespace persist
