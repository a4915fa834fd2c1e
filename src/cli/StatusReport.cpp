#include "cli/StatusReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include "cli/KeyNames.h"
#include "cli/ModeSettings.h"
#include "cli/SettingText.h"
#include "records/KeyTable.h"
#include "records/MacroRequest.h"
#include "records/ModeAttr.h"
#include "records/SystemText.h"

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Q(std::wstring_view text) {
    return QString::fromStdWString(std::wstring(text));
}

std::string S(const QJsonValue& value) {
    return value.toString().toStdString();
}

std::string N(const QJsonValue& value) {
    return std::to_string(value.toInt());
}

QString Rgb(const std::uint8_t (&field)[3]) {
    return Q(settingtext::ColourText(static_cast<std::uint32_t>(field[0]) << 16 |
                                     static_cast<std::uint32_t>(field[1]) << 8 | field[2]));
}

QString DirectionName(std::uint16_t flags, std::uint8_t value) {
    if (flags & MODE_CAP_ROTATION) return value == 0 ? "clockwise" : "anticlockwise";
    switch (value) {
        case MODE_DIR_LEFT:
            return "left";
        case MODE_DIR_UP:
            return "up";
        case MODE_DIR_DOWN:
            return "down";
        default:
            return "right";
    }
}

QJsonArray Settings(std::uint16_t flags) {
    QJsonArray settings;
    for (const std::string& setting : modesettings::Describe(flags)) settings.append(Q(setting));
    return settings;
}

QJsonObject ModeJson(const KeyboardStatus& status) {
    QJsonObject mode;
    const ModeInfo* current = status.currentMode();
    if (!current) return mode;
    const std::uint16_t flags = current->flags;
    const _reg_mode_t& reg = status.reg;
    mode["index"] = status.modeIndex;
    mode["name"] = Q(current->name);
    if (flags & MODE_CAP_FOREGROUND_BRIGHTNESS) mode["brightness"] = reg.foregroundBrightness;
    if (flags & MODE_CAP_BACKGROUND_BRIGHTNESS)
        mode["backgroundBrightness"] = reg.backgroundBrightness;
    if (flags & MODE_CAP_SPEED) mode["speed"] = reg.speed();
    if (flags & (MODE_CAP_ROTATION | MODE_CAP_DIRECTION_LEFT_RIGHT | MODE_CAP_DIRECTION_UP_DOWN))
        mode["direction"] = DirectionName(flags, reg.direction());
    if (flags & MODE_CAP_FOREGROUND)
        mode["colour"] = (flags & MODE_CAP_AUTO_FOREGROUND) && reg.autoForeground()
                             ? QString("auto")
                             : Rgb(reg.foreground);
    if (flags & MODE_CAP_BACKGROUND) mode["backgroundColour"] = Rgb(reg.background);
    return mode;
}

QString KeyName(const KeyPositions& keys, int entry, bool byOrder) {
    for (const KeyPosition& key : keys.keys())
        if ((byOrder ? key.order : key.index) == entry) return Q(std::wstring_view(key.name));
    return QString("#%1").arg(entry);
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

QJsonObject DescribeAssignment(macro_code_t code, const AssignmentChoices& choices,
                               const std::map<int, macro_block_t>& slotMacros) {
    QJsonObject plays;
    if (code.playsMacro()) {
        const int slot = code.value();
        const auto block = slotMacros.find(slot);
        if (block != slotMacros.end()) {
            if (const MacroCombKey* combination =
                    macroreq::CombinationOf(block->second, choices.combinations)) {
                plays["kind"] = "combination";
                plays["combination"] = Q(std::wstring_view(combination->name));
                return plays;
            }
            // The keyboard's own name, until a group tells the whole one.
            plays["name"] = Q(FromSystemText(block->second.name.text()));
        }
        plays["kind"] = "macro";
        plays["slot"] = slot;
        for (const MacroRecordGroup& group : choices.macros)
            if (group.info.count > 0 && group.info.data()[0].id == slot)
                plays["name"] = Q(std::wstring_view(group.info.data()[0].name));
        return plays;
    }
    const unsigned value = code.value();
    const KeyTableEntry& key = FindKeyByUsage(value);
    plays["kind"] = "direct";
    plays["code"] = static_cast<int>(value);
    // A key and a function may share a code; both are named.
    if (!key.isEmpty()) plays["playsKey"] = Q(key.name);
    for (const MacroFuncKey& function : choices.functions)
        if ((function.code & 0x0FFF) == value)
            plays["playsFunction"] = Q(std::wstring_view(function.name));
    return plays;
}

QJsonObject StatusJson(const KeyboardStatus& status, const StatusContext& context) {
    QJsonObject json;
    json["connected"] = status.connected();
    json["state"] = Q(PresenceText(status));
    if (status.productId)
        json["productId"] = QString("0x%1").arg(status.productId, 4, 16, QChar('0'));
    if (!status.connected()) return json;
    json["profiles"] = status.profileCount;
    json["activeProfile"] = status.activeProfile;
    json["mode"] = ModeJson(status);
    json["colourSet"] = status.colourSet + 1;
    QJsonArray colours;
    for (std::size_t i = 0; i < status.keyColours.size(); ++i) {
        const rgba_t c = status.keyColours[i];
        colours.append(QJsonObject{
            {"key", KeyName(context.colourKeys, static_cast<int>(i), true)},
            {"colour", Q(settingtext::ColourText(static_cast<std::uint32_t>(c.r) << 16 |
                                                 static_cast<std::uint32_t>(c.g) << 8 | c.b))}});
    }
    json["keyColours"] = colours;
    QJsonArray assignments;
    for (std::size_t i = 0; i < status.keyCodes.size(); ++i) {
        const macro_code_t code = status.keyCodes[i];
        if (!code.hasAssignment()) continue;
        QJsonObject entry = DescribeAssignment(code, context.choices, status.slotMacros);
        entry["key"] = KeyName(context.assignKeys, static_cast<int>(i), false);
        assignments.append(entry);
    }
    json["assignments"] = assignments;
    return json;
}

QJsonObject ModesJson(const KeyboardStatus& status) {
    QJsonObject json;
    json["connected"] = status.connected();
    json["state"] = Q(PresenceText(status));
    QJsonArray modes;
    for (std::size_t i = 0; i < status.modes.size(); ++i) {
        const ModeInfo& mode = status.modes[i];
        modes.append(QJsonObject{{"index", static_cast<int>(i)},
                                 {"name", Q(mode.name)},
                                 {"current", static_cast<int>(i) == status.modeIndex},
                                 {"settings", Settings(mode.flags)}});
    }
    json["modes"] = modes;
    return json;
}

namespace {

std::string AssignmentLine(const QJsonObject& entry) {
    std::string line = "  " + S(entry["key"]) + ": ";
    if (entry["kind"].toString() == "combination")
        return line + "combination " + S(entry["combination"]);
    if (entry["kind"].toString() == "macro") {
        line += "macro";
        if (entry.contains("name")) line += " \"" + S(entry["name"]) + "\"";
        return line + " (slot " + N(entry["slot"]) + ")";
    }
    if (entry.contains("playsKey")) {
        line += "key " + S(entry["playsKey"]);
        if (entry.contains("playsFunction"))
            line += " (or function " + S(entry["playsFunction"]) + ")";
        return line;
    }
    if (entry.contains("playsFunction")) return line + "function " + S(entry["playsFunction"]);
    return line + "code " + N(entry["code"]);
}

}  // namespace

std::string StatusText(const QJsonObject& status) {
    std::string text = "Keyboard: " + S(status["state"]);
    if (status.contains("productId")) text += " (product id " + S(status["productId"]) + ")";
    text += "\n";
    if (!status["connected"].toBool()) return text;
    text += "Profile: " + N(status["activeProfile"]) + " of " + N(status["profiles"]) +
            " (numbered from 0)\n";
    const QJsonObject mode = status["mode"].toObject();
    // A read that failed half-way leaves no mode to show.
    text += mode.isEmpty() ? std::string("Mode: unknown\n")
                           : "Mode: " + N(mode["index"]) + " " + S(mode["name"]) + "\n";
    const std::pair<const char*, const char*> fields[] = {
        {"brightness", "Brightness"}, {"backgroundBrightness", "Background brightness"},
        {"speed", "Speed"},           {"direction", "Direction"},
        {"colour", "Colour"},         {"backgroundColour", "Background colour"}};
    for (const auto& [key, label] : fields) {
        const QJsonValue value = mode[key];
        if (value.isUndefined()) continue;
        text += std::string("  ") + label + ": " + (value.isString() ? S(value) : N(value)) + "\n";
    }
    text += "Custom colour set: " + N(status["colourSet"]) + "\n";
    text += "Key colours:";
    int column = 0;
    for (const QJsonValue& entry : status["keyColours"].toArray()) {
        text += column++ % 6 == 0 ? "\n  " : "  ";
        text += S(entry.toObject()["key"]) + " " + S(entry.toObject()["colour"]);
    }
    text += "\nAssigned keys:";
    const QJsonArray assignments = status["assignments"].toArray();
    if (assignments.isEmpty()) text += " none";
    text += "\n";
    for (const QJsonValue& entry : assignments) text += AssignmentLine(entry.toObject()) + "\n";
    return text;
}

std::string ModesText(const QJsonObject& modes) {
    if (!modes["connected"].toBool()) return "Keyboard: " + S(modes["state"]) + "\n";
    std::string text;
    for (const QJsonValue& value : modes["modes"].toArray()) {
        const QJsonObject mode = value.toObject();
        std::string settings;
        for (const QJsonValue& setting : mode["settings"].toArray())
            settings += (settings.empty() ? "" : ", ") + S(setting);
        text += (mode["current"].toBool() ? "* " : "  ") + N(mode["index"]) + " " +
                S(mode["name"]) + ": " + (settings.empty() ? "no settings" : settings) + "\n";
    }
    return text;
}

std::string JsonText(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}
