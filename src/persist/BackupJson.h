#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "persist/BackupHeader.h"

// Checked access to a backup's JSON: each helper throws BackupRefusal naming the place.
namespace persist::backup_json {

using Json = nlohmann::json;

struct BackupRefusal {
    BackupError error;
};

const Json& Member(const Json& object, const std::string& path, const char* name);
// The member NAME, or FORMER, the name older files gave it; refused when both are there. PLACE
// becomes the pointer of the one found.
const Json& Renamed(const Json& object, const std::string& path, const std::string& name,
                    std::string_view former, std::string& place);
const Json& Object(const Json& value, const std::string& path);
std::int64_t WholeNumber(const Json& value, const std::string& path, std::int64_t low,
                         std::int64_t high);
bool Boolean(const Json& value, const std::string& path);
const Json& Array(const Json& value, const std::string& path);
const std::string& Text(const Json& value, const std::string& path);
// PATH and one member name as a JSON pointer ("~" and "/" inside the name escaped).
std::string Place(const std::string& path, const std::string& name);
// TEXT is PREFIX followed by exactly DIGITS hex digits (no sign, no spaces).
bool IsHexAfter(const std::string& text, const char* prefix, std::size_t digits);

// Colours are "#RRGGBB" in both directions; the reader takes either letter case.
using Rgb = std::array<std::uint8_t, 3>;
Rgb Colour(const Json& value, const std::string& path);
std::string ColourText(const Rgb& colour);

}  // namespace persist::backup_json

namespace persist {

// The header of a parsed backup; throws backup_json::BackupRefusal naming the place.
BackupHeader ReadHeader(const backup_json::Json& root);

}  // namespace persist
