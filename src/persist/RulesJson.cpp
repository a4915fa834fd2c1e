#include "persist/RulesJson.h"

#include "persist/BackupJson.h"

namespace persist {

using namespace backup_json;

namespace {

// Far beyond any application id or mode name.
constexpr std::size_t kLongestName = 255;

Json WriteTarget(const rules::Target& target) {
    Json json{{"profile", target.profile}};
    if (target.mode) json["mode"] = *target.mode;
    return json;
}

std::string Name(const Json& value, const std::string& path) {
    const std::string& text = Text(value, path);
    if (text.empty() || text.size() > kLongestName)
        throw BackupRefusal{{path, "not a name of 1 to 255 bytes"}};
    return text;
}

rules::Target ReadTarget(const Json& value, const std::string& path) {
    Object(value, path);
    rules::Target target{static_cast<int>(WholeNumber(Member(value, path, "profile"),
                                                      path + "/profile", 0, rules::kLastProfile)),
                         std::nullopt};
    if (value.contains("mode")) target.mode = Name(value["mode"], path + "/mode");
    return target;
}

}  // namespace

Json WriteRulesJson(const rules::AppRules& rules) {
    Json list = Json::array();
    for (const rules::Rule& rule : rules.rules) {
        Json entry = WriteTarget(rule.target);
        entry["app"] = rule.app;
        list.push_back(entry);
    }
    return {{"enabled", rules.enabled},
            {"rules", list},
            {"otherwise", rules.otherwise ? WriteTarget(*rules.otherwise) : Json()}};
}

rules::AppRules ReadRulesJson(const Json& value, const std::string& path) {
    Object(value, path);
    rules::AppRules rules;
    rules.enabled = Boolean(Member(value, path, "enabled"), path + "/enabled");
    const std::string at = path + "/rules";
    const Json& list = Array(Member(value, path, "rules"), at);
    for (std::size_t r = 0; r < list.size(); ++r) {
        const std::string place = at + "/" + std::to_string(r);
        Object(list[r], place);
        rules::Rule rule{Name(Member(list[r], place, "app"), place + "/app"),
                         ReadTarget(list[r], place)};
        if (rules::Find(rules, rule.app) != rules.rules.end())
            throw BackupRefusal{{place + "/app", "a second rule for the same application"}};
        rules.rules.push_back(std::move(rule));
    }
    const Json& otherwise = Member(value, path, "otherwise");
    if (!otherwise.is_null()) rules.otherwise = ReadTarget(otherwise, path + "/otherwise");
    return rules;
}

}  // namespace persist
