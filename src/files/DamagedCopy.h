#pragma once
// A user's file that could not be read is copied aside before a new one replaces it, so what it
// held can still be recovered by hand.
#include <filesystem>
#include <optional>

namespace files {

// Copies `file` beside itself as "NAME.damaged-YYYYmmdd-HHMMSS" (a number added when taken),
// readable by the user alone; the copy's path, or none when no copy could be made.
std::optional<std::filesystem::path> KeepDamagedCopy(const std::filesystem::path& file);

}  // namespace files
