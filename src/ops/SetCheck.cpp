#include "ops/SetCheck.h"

#include <algorithm>

#include "ops/KeyNames.h"
#include "ops/ModeSettings.h"
#include "ops/SettingText.h"
#include "records/ModeAttr.h"
#include "records/RegMode.h"

namespace {

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ModeList(const KeyboardStatus& status) {
    std::string list;
    for (const ModeInfo& mode : status.modes) {
        if (!list.empty()) list += ", ";
        list += mode.name;
    }
    return list;
}

std::uint8_t DirectionValue(LightDirection direction) {
    switch (direction) {
        case LightDirection::Right:
            return MODE_DIR_RIGHT;
        case LightDirection::Left:
            return MODE_DIR_LEFT;
        case LightDirection::Up:
            return MODE_DIR_UP;
        case LightDirection::Down:
            return MODE_DIR_DOWN;
        // The turning modes use the first two values, as the window writes them.
        case LightDirection::Clockwise:
            return 0;
        case LightDirection::Anticlockwise:
            return 1;
    }
    return 0;
}

// The first setting of the request the mode does not take, by its option name.
std::optional<std::string> Missing(const SetRequest& request, std::uint16_t flags) {
    auto lacks = [flags](std::uint16_t cap) { return (flags & cap) == 0; };
    if (request.brightness && lacks(MODE_CAP_FOREGROUND_BRIGHTNESS)) return "brightness";
    if (request.backgroundBrightness && lacks(MODE_CAP_BACKGROUND_BRIGHTNESS))
        return "background-brightness";
    if (request.speed && lacks(MODE_CAP_SPEED)) return "speed";
    if (request.direction && !modesettings::Takes(flags, *request.direction))
        return "direction " + std::string(settingtext::DirectionName(*request.direction));
    if (request.colour && lacks(MODE_CAP_FOREGROUND)) return "colour";
    if (request.automaticColour && (lacks(MODE_CAP_FOREGROUND) || lacks(MODE_CAP_AUTO_FOREGROUND)))
        return "colour auto";
    if (request.backgroundColour && lacks(MODE_CAP_BACKGROUND)) return "background-colour";
    if (request.colourSet && lacks(MODE_CAP_PER_KEY)) return "colour-set";
    return std::nullopt;
}

bool HasModeSettings(const SetRequest& request) {
    return request.brightness || request.backgroundBrightness || request.speed ||
           request.direction || request.colour || request.automaticColour ||
           request.backgroundColour;
}

}  // namespace

namespace {

void SetRgb(std::uint8_t (&field)[3], std::uint32_t rgb) {
    field[0] = static_cast<std::uint8_t>(rgb >> 16);
    field[1] = static_cast<std::uint8_t>(rgb >> 8);
    field[2] = static_cast<std::uint8_t>(rgb);
}

}  // namespace

bool SetPlan::ApplyTo(_reg_mode_t& reg) const {
    if (edits.brightness) reg.foregroundBrightness = static_cast<std::uint8_t>(*edits.brightness);
    if (edits.backgroundBrightness)
        reg.backgroundBrightness = static_cast<std::uint8_t>(*edits.backgroundBrightness);
    if (edits.speed) reg.setSpeed(static_cast<unsigned>(*edits.speed));
    if (edits.direction) reg.setDirection(DirectionValue(*edits.direction));
    if (edits.automaticColour) reg.setAutoForeground(true);
    if (edits.colour) {
        reg.setAutoForeground(false);
        SetRgb(reg.foreground, *edits.colour);
    }
    if (edits.backgroundColour) SetRgb(reg.background, *edits.backgroundColour);
    return HasModeSettings(edits);
}

std::optional<int> FindMode(const std::string& text, const KeyboardStatus& status,
                            std::string& error) {
    const int count = static_cast<int>(status.modes.size());
    // A number is the mode's position in the list, so a mode can be chosen whatever its name.
    if (AllDigits(text)) {
        if (auto number = settingtext::Number(text, 0, count - 1)) return number;
        error = "there is no mode " + text + "; the keyboard has modes 0 to " +
                std::to_string(count - 1);
        return std::nullopt;
    }
    const std::wstring wanted = keynames::FromText(text);
    for (int i = 0; i < count; ++i)
        if (keynames::Same(keynames::FromText(status.modes[static_cast<std::size_t>(i)].name),
                           wanted))
            return i;
    error = "unknown mode \"" + text + "\"; the keyboard has: " + ModeList(status);
    return std::nullopt;
}

SetCheckResult CheckSet(const SetRequest& request, const KeyboardStatus& status) {
    SetCheckResult result;
    SetPlan& plan = result.plan;
    if (request.profile) {
        if (*request.profile >= status.profileCount) {
            result.error = "there is no profile " + std::to_string(*request.profile) +
                           "; the keyboard has profiles 0 to " +
                           std::to_string(status.profileCount - 1);
            return result;
        }
        plan.profile = request.profile;
    }
    if (request.mode) {
        plan.modeIndex = FindMode(*request.mode, status, result.error);
        if (!plan.modeIndex) return result;
    }
    // Each profile has a current mode of its own, which the keyboard tells only once the
    // profile is active: the mode's settings cannot be checked without naming the mode.
    const bool otherProfile = plan.profile && *plan.profile != status.activeProfile;
    if (otherProfile && !plan.modeIndex && (HasModeSettings(request) || request.colourSet)) {
        result.error =
            "give --mode together with --profile and the mode's settings: each "
            "profile has its own current mode";
        return result;
    }
    const int modeIndex = plan.modeIndex.value_or(status.modeIndex);
    if (modeIndex < 0 || modeIndex >= static_cast<int>(status.modes.size())) {
        result.error = "the keyboard reports no current mode";
        return result;
    }
    const ModeInfo& mode = status.modes[static_cast<std::size_t>(modeIndex)];
    if (auto missing = Missing(request, mode.flags)) {
        result.error = "mode \"" + mode.name + "\" has no " + *missing +
                       "; it takes: " + modesettings::Line(mode.flags);
        return result;
    }
    if (request.colourSet) plan.colourSet = *request.colourSet - 1;
    plan.edits = request;
    return result;
}
