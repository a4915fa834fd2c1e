#include "cli/StatusText.h"

#include <string>
#include <vector>

#include "records/JoinedText.h"
#include "records/LightingSettings.h"

namespace {

// A member as text; absent members and other types read as empty.
std::string S(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string N(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_number_integer() ? std::to_string(it->get<long long>())
                                                         : std::string("0");
}

bool B(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_boolean() && it->get<bool>();
}

const nlohmann::json& Member(const nlohmann::json& object, const char* key) {
    static const nlohmann::json none;
    const auto it = object.find(key);
    return it != object.end() ? *it : none;
}

std::string AssignmentLine(const nlohmann::json& entry) {
    std::string line = "  " + S(entry, "key") + ": ";
    const std::string kind = S(entry, "kind");
    if (kind == "combination") return line + "combination " + S(entry, "combination");
    if (kind == "macro") {
        line += "macro";
        if (entry.contains("name")) line += " \"" + S(entry, "name") + "\"";
        return line + " (slot " + N(entry, "slot") + ")";
    }
    if (entry.contains("playsKey")) {
        line += "key " + S(entry, "playsKey");
        if (entry.contains("playsFunction"))
            line += " (or function " + S(entry, "playsFunction") + ")";
        return line;
    }
    if (entry.contains("playsFunction")) return line + "function " + S(entry, "playsFunction");
    return line + "code " + N(entry, "code");
}

}  // namespace

std::string StatusText(const nlohmann::json& status) {
    std::string text = "Keyboard: " + S(status, "state");
    if (status.contains("productId")) text += " (product id " + S(status, "productId") + ")";
    text += "\n";
    if (!B(status, "connected")) return text;
    text += "Profile: " + N(status, "activeProfile") + " of " + N(status, "profileCount") +
            " (numbered from 0)\n";
    const nlohmann::json& mode = Member(status, "mode");
    // A read that failed half-way leaves no mode to show.
    text += !mode.is_object() || mode.empty()
                ? std::string("Mode: unknown\n")
                : "Mode: " + N(mode, "index") + " " + S(mode, "name") + "\n";
    for (const lighting::SettingRow& row : lighting::Rows()) {
        const std::string key(row.key);
        if (!mode.is_object() || !mode.contains(key)) continue;
        text += "  " + lighting::Label(row) + ": " +
                (mode[key].is_string() ? S(mode, key.c_str()) : N(mode, key.c_str())) + "\n";
    }
    text += "Custom colour set: " + N(status, "colourSet") + "\n";
    text += "Key colours:";
    int column = 0;
    for (const nlohmann::json& entry : Member(status, "keyColours")) {
        text += column++ % 6 == 0 ? "\n  " : "  ";
        text += S(entry, "key") + " " + S(entry, "colour");
    }
    text += "\nAssigned keys:";
    const nlohmann::json& assignments = Member(status, "assignments");
    if (assignments.empty()) text += " none";
    text += "\n";
    for (const nlohmann::json& entry : assignments) text += AssignmentLine(entry) + "\n";
    return text;
}

std::string ModesText(const nlohmann::json& modes) {
    if (!B(modes, "connected")) return "Keyboard: " + S(modes, "state") + "\n";
    std::string text;
    for (const nlohmann::json& mode : Member(modes, "modes")) {
        std::vector<std::string> names;
        for (const nlohmann::json& setting : Member(mode, "settings"))
            if (setting.is_string()) names.push_back(setting.get<std::string>());
        const std::string settings = Joined(names);
        text += (B(mode, "current") ? "* " : "  ") + N(mode, "index") + " " + S(mode, "name") +
                ": " + (settings.empty() ? "no settings" : settings) + "\n";
    }
    return text;
}
