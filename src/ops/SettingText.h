#pragma once
// The text forms of lighting settings, shared by the command line and the bus service, so that
// both accept and refuse exactly the same values.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/DeviceLimits.h"
#include "ops/KeyboardRequests.h"

namespace settingtext {

inline constexpr int kMaxBrightness = 255;
inline constexpr int kMaxSpeed = 15;
using ::kColourSetCount;

// The names of the settings `set` takes, as options without the dashes.
const std::vector<std::string_view>& SettingNames();

// Reads one setting into the request; an error text when the name or the value is not good.
std::optional<std::string> Apply(SetRequest& request, std::string_view name,
                                 std::string_view value);

// The request as (name, value) texts that Apply reads back into the same request.
std::vector<std::pair<std::string, std::string>> ToTexts(const SetRequest& request);

// A whole decimal number without sign characters or spaces, within [low, high].
std::optional<int> Number(std::string_view text, int low, int high);
// RRGGBB in hexadecimal, with an optional leading '#'.
std::optional<std::uint32_t> Colour(std::string_view text);
std::string ColourText(std::uint32_t rgb);

std::optional<LightDirection> Direction(std::string_view text);
std::string_view DirectionName(LightDirection direction);

std::optional<AssignKind> AssignKindByName(std::string_view text);
std::string_view AssignKindName(AssignKind kind);

}  // namespace settingtext
