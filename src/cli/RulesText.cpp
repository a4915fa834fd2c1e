#include "cli/RulesText.h"

namespace {

std::string TargetText(const nlohmann::json& target) {
    if (!target.is_object()) return "left as it is";
    std::string text = "profile " + std::to_string(target.value("profile", 0));
    if (target.contains("mode")) text += ", mode " + target.value("mode", "");
    return text;
}

}  // namespace

std::string RulesText(const nlohmann::json& report) {
    std::string text = std::string("Following the application in front: ") +
                       (report.value("enabled", false) ? "on" : "off") + "\n";
    for (const nlohmann::json& rule : report.value("rules", nlohmann::json::array()))
        text += "  " + rule.value("app", "") + ": " + TargetText(rule) + "\n";
    text +=
        "  every other application: " + TargetText(report.value("otherwise", nlohmann::json())) +
        "\n";
    return text;
}
