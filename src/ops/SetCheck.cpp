#include "ops/SetCheck.h"

#include <algorithm>

#include "ops/KeyNames.h"
#include "ops/ModeSettings.h"
#include "ops/SettingText.h"
#include "records/LightingSettings.h"
#include "records/ModeAttr.h"

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

// The first setting of the request the mode does not take, by its option name.
std::optional<std::string> Missing(const SetRequest& request, std::uint16_t flags) {
    for (const lighting::SettingRow& row : lighting::Rows()) {
        const auto& value = request[row.id];
        if (!value || lighting::Takes(row, *value, flags)) continue;
        // A value the setting has but the mode does not is named with it: "direction up".
        return row.kind == lighting::Kind::Choice || *value == lighting::kAutomatic
                   ? lighting::Option(row) + " " + lighting::Text(row, *value)
                   : lighting::Option(row);
    }
    if (request.colourSet && (flags & MODE_CAP_PER_KEY) == 0) return "colour-set";
    return std::nullopt;
}

}  // namespace

bool SetPlan::ApplyTo(_reg_mode_t& reg) const {
    for (const lighting::SettingRow& row : lighting::Rows())
        if (const auto& value = edits[row.id]) lighting::Write(row, reg, *value);
    return edits.HasModeSettings();
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
    if (otherProfile && !plan.modeIndex && (request.HasModeSettings() || request.colourSet)) {
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
