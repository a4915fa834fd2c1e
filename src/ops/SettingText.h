#pragma once
// The text forms of `set` and its settings, shared by the command line and the bus service, so
// that both accept and refuse exactly the same values. The register settings come from
// records/LightingSettings.h; the profile, the mode and the colour set are chosen here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/DeviceLimits.h"
#include "ops/KeyboardRequests.h"

namespace settingtext {

using ::kColourSetCount;

// The names of the settings `set` takes, as options without the dashes.
const std::vector<std::string_view>& SettingNames();
// What an option of SettingNames takes, as its help shows it: "0-15", "NAME|NUMBER".
std::string ValueForm(std::string_view name);

// Reads one setting, named by its option or by its key ("background-brightness",
// "backgroundBrightness"), into the request; an error text when the name or the value is not
// good.
std::optional<std::string> Apply(SetRequest& request, std::string_view name,
                                 std::string_view value);

// What a setting, named as Apply takes it, takes besides its text, for callers whose values
// carry a type: a whole number (the mode by its number), or true for "auto".
bool TakesNumber(std::string_view name);
bool TakesAuto(std::string_view name);

// The request as (key, value) texts that Apply reads back into the same request.
std::vector<std::pair<std::string, std::string>> ToTexts(const SetRequest& request);

// A whole decimal number without sign characters or spaces, within [low, high].
inline std::optional<int> Number(std::string_view text, int low, int high) {
    return lighting::WholeNumber(text, low, high);
}
// RRGGBB in hexadecimal, with an optional leading '#'.
inline std::optional<std::uint32_t> Colour(std::string_view text) {
    return lighting::ParseColour(text);
}
// "#RRGGBB", as every surface writes a colour.
inline std::string ColourText(std::uint32_t rgb) {
    return lighting::ColourText(rgb);
}

std::optional<AssignKind> AssignKindByName(std::string_view text);
std::string_view AssignKindName(AssignKind kind);

}  // namespace settingtext
