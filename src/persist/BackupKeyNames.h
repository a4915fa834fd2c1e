#pragma once
// Key-table names for the keys a backup mentions, only where the name leads back to the same
// number, so a name never changes what is sent.
#include <cstdint>
#include <optional>
#include <string>

namespace persist {

std::optional<std::string> KeyNameOfUsage(std::int64_t usage);
std::optional<std::uint16_t> UsageOfKeyName(const std::string& name);

// Set-1 key codes, as macro groups hold them.
std::optional<std::string> KeyNameOfCode(std::int64_t code);
std::optional<std::uint16_t> CodeOfKeyName(const std::string& name);

}  // namespace persist
