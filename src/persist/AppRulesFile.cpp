#include "persist/AppRulesFile.h"

#include <pugixml.hpp>
#include <sstream>

#include "files/DamagedCopy.h"
#include "persist/SmallTextFile.h"
#include "persist/XmlLookup.h"
#include "records/LightingSettings.h"

namespace persist {

namespace {

// Far above any real list of rules; a bigger file is no rules file.
constexpr std::uintmax_t kLargestFile = 1 << 20;

void WriteTarget(pugi::xml_node node, const rules::Target& target) {
    node.append_attribute("profile") = target.profile;
    if (target.mode) node.append_attribute("mode") = target.mode->c_str();
}

std::optional<rules::Target> ReadTarget(pugi::xml_node node) {
    const std::optional<int> profile =
        lighting::WholeNumber(AttributeText(node, "profile"), 0, rules::kLastProfile);
    if (!profile) return std::nullopt;
    rules::Target target{*profile, std::nullopt};
    if (const pugi::xml_attribute mode = FindAttribute(node, "mode")) target.mode = mode.value();
    return target;
}

}  // namespace

std::string RulesText(const rules::AppRules& rules) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("rules");
    root.append_attribute("enabled") = rules.enabled;
    for (const rules::Rule& rule : rules.rules) {
        pugi::xml_node node = root.append_child("rule");
        node.append_attribute("app") = rule.app.c_str();
        WriteTarget(node, rule.target);
    }
    if (rules.otherwise) WriteTarget(root.append_child("otherwise"), *rules.otherwise);
    std::ostringstream text;
    document.save(text, "  ");
    return text.str();
}

std::optional<rules::AppRules> ReadRulesText(const std::string& text) {
    pugi::xml_document document;
    if (!LoadDocument(document, text.data(), text.size())) return std::nullopt;
    const pugi::xml_node root = document.document_element();
    if (!SameNameIgnoringCase(root.name(), "rules")) return std::nullopt;
    rules::AppRules rules;
    rules.enabled = FindAttribute(root, "enabled").as_bool();
    for (pugi::xml_node node : root.children()) {
        if (SameNameIgnoringCase(node.name(), "otherwise")) {
            rules.otherwise = ReadTarget(node);
            continue;
        }
        if (!SameNameIgnoringCase(node.name(), "rule")) continue;
        const std::string app = AttributeText(node, "app");
        const std::optional<rules::Target> target = ReadTarget(node);
        if (!app.empty() && target && rules::Find(rules, app) == rules.rules.end())
            rules.rules.push_back({app, *target});
    }
    return rules;
}

AppRulesFile::AppRulesFile(std::filesystem::path file, files::FileReplacer replacer)
    : file_(std::move(file)), replacer_(std::move(replacer)) {}

rules::AppRules AppRulesFile::Load() {
    std::error_code error;
    damaged_ = false;
    if (!std::filesystem::exists(file_, error)) return {};
    const SmallTextFile read = ReadSmallTextFile(file_, kLargestFile, "a rules file");
    std::optional<rules::AppRules> rules;
    if (read.ok()) rules = ReadRulesText(read.text);
    damaged_ = !rules;
    return rules.value_or(rules::AppRules{});
}

AppRulesFile::Saved AppRulesFile::Save(const rules::AppRules& rules) {
    Saved saved;
    if (files::WriteProtected(file_)) {
        saved.error = file_.string() + " is write-protected";
        return saved;
    }
    if (damaged_) {
        saved.kept = files::KeepDamagedCopy(file_);
        if (!saved.kept) {
            saved.error = "the unreadable " + file_.string() + " could not be kept aside";
            return saved;
        }
        damaged_ = false;
    }
    if (const files::Replaced replaced = replacer_.Replace(file_, RulesText(rules)); !replaced)
        saved.error = file_.string() + ": " + replaced.error;
    return saved;
}

}  // namespace persist
