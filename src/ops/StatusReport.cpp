#include "ops/StatusReport.h"

#include "ops/KeyNames.h"
#include "ops/ModeSettings.h"
#include "persist/BackupHeader.h"
#include "persist/LightingJson.h"
#include "records/KeyTable.h"
#include "records/LightingSettings.h"
#include "records/MacroRequest.h"
#include "records/SystemText.h"

namespace {

std::string Q(std::wstring_view text) {
    return keynames::ToText(text);
}

std::string Rgb(const rgba_t& c) {
    return lighting::ColourText(static_cast<std::uint32_t>(c.r) << 16 |
                                static_cast<std::uint32_t>(c.g) << 8 | c.b);
}

nlohmann::json ModeJson(const KeyboardStatus& status) {
    nlohmann::json mode = nlohmann::json::object();
    const ModeInfo* current = status.currentMode();
    if (!current) return mode;
    mode["index"] = status.modeIndex;
    mode["name"] = current->name;
    for (const lighting::SettingRow& row : lighting::Rows())
        if (lighting::Offers(row, current->flags))
            mode[std::string(row.key)] =
                persist::SettingJson(row, lighting::Read(row, status.reg, current->flags));
    return mode;
}

std::string KeyName(const KeyPositions& keys, int entry, bool byOrder) {
    for (const KeyPosition& key : keys.keys())
        if ((byOrder ? key.order : key.index) == entry) return Q(key.name);
    return "#" + std::to_string(entry);
}

}  // namespace

std::string PresenceText(const KeyboardStatus& status) {
    switch (status.presence) {
        case KeyboardStatus::Presence::Connected:
            return "connected";
        case KeyboardStatus::Presence::OldFirmware:
            return "not connected: the keyboard's firmware is too old; update it to use Keylume";
        case KeyboardStatus::Presence::NoPermission:
            return "not connected: the keyboard cannot be opened" +
                   (status.openFailure.empty() ? std::string() : ": " + status.openFailure) +
                   "; install the udev rule 60-keylume.rules and plug the keyboard in again "
                   "(keylume diagnose tells more)";
        case KeyboardStatus::Presence::Unanswered:
            return "not connected: the keyboard did not answer in time";
        case KeyboardStatus::Presence::Absent:
            break;
    }
    return "not connected: no keyboard is plugged in";
}

nlohmann::json DescribeAssignment(macro_code_t code, const AssignmentChoices& choices,
                                  const std::map<int, macro_block_t>& slotMacros) {
    nlohmann::json plays = nlohmann::json::object();
    if (code.playsMacro()) {
        const int slot = code.value();
        const auto block = slotMacros.find(slot);
        if (block != slotMacros.end()) {
            if (const MacroCombKey* combination =
                    macroreq::CombinationOf(block->second, choices.combinations)) {
                plays["kind"] = "combination";
                plays["combination"] = Q(combination->name);
                return plays;
            }
            // The keyboard's own name, until a group tells the whole one.
            plays["name"] = Q(FromSystemText(block->second.name.text()));
        }
        plays["kind"] = "macro";
        plays["slot"] = slot;
        for (const MacroRecordGroup& group : choices.macros)
            if (group.info.count > 0 && group.info.data()[0].id == slot)
                plays["name"] = Q(group.info.data()[0].name);
        return plays;
    }
    const unsigned value = code.value();
    const KeyTableEntry& key = FindKeyByUsage(value);
    plays["code"] = static_cast<int>(value);
    // A key and a function may share a code; both are named, the key first as the backup does.
    if (!key.isEmpty()) plays["playsKey"] = Q(key.name);
    for (const MacroFuncKey& function : choices.functions)
        if ((function.code & 0x0FFF) == value) plays["playsFunction"] = Q(function.name);
    plays["kind"] = plays.contains("playsKey")        ? "key"
                    : plays.contains("playsFunction") ? "function"
                                                      : "code";
    return plays;
}

nlohmann::json StatusJson(const KeyboardStatus& status, const StatusContext& context) {
    nlohmann::json json = nlohmann::json::object();
    json["version"] = kStatusVersion;
    json["connected"] = status.connected();
    json["state"] = PresenceText(status);
    if (status.productId)
        json["productId"] = persist::ProductIdText(static_cast<std::uint16_t>(status.productId));
    if (!status.connected()) return json;
    json["profileCount"] = status.profileCount;
    json["activeProfile"] = status.activeProfile;
    json["mode"] = ModeJson(status);
    json["colourSet"] = status.colourSet + 1;
    nlohmann::json colours = nlohmann::json::array();
    for (std::size_t i = 0; i < status.keyColours.size(); ++i) {
        const rgba_t c = status.keyColours[i];
        colours.push_back(
            {{"key", KeyName(context.colourKeys, static_cast<int>(i), true)}, {"colour", Rgb(c)}});
    }
    json["keyColours"] = colours;
    nlohmann::json assignments = nlohmann::json::array();
    for (std::size_t i = 0; i < status.keyCodes.size(); ++i) {
        const macro_code_t code = status.keyCodes[i];
        if (!code.hasAssignment()) continue;
        nlohmann::json entry = DescribeAssignment(code, context.choices, status.slotMacros);
        entry["key"] = KeyName(context.assignKeys, static_cast<int>(i), false);
        assignments.push_back(std::move(entry));
    }
    json["assignments"] = assignments;
    return json;
}

nlohmann::json ModesJson(const KeyboardStatus& status) {
    nlohmann::json json = nlohmann::json::object();
    json["version"] = kStatusVersion;
    json["connected"] = status.connected();
    json["state"] = PresenceText(status);
    nlohmann::json modes = nlohmann::json::array();
    for (std::size_t i = 0; i < status.modes.size(); ++i) {
        const ModeInfo& mode = status.modes[i];
        modes.push_back({{"index", static_cast<int>(i)},
                         {"name", mode.name},
                         {"current", static_cast<int>(i) == status.modeIndex},
                         {"settings", modesettings::Describe(mode.flags)}});
    }
    json["modes"] = modes;
    return json;
}

std::string JsonText(const nlohmann::json& object) {
    return object.dump(4) + "\n";
}
