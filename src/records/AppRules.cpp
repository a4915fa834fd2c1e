#include "records/AppRules.h"

#include <algorithm>
#include <cctype>

namespace rules {

namespace {

std::string_view WithoutDesktopEnding(std::string_view name) {
    constexpr std::string_view kEnding = ".desktop";
    if (name.size() > kEnding.size() && name.ends_with(kEnding)) name.remove_suffix(kEnding.size());
    return name;
}

}  // namespace

bool SameApplication(std::string_view a, std::string_view b) {
    a = WithoutDesktopEnding(a);
    b = WithoutDesktopEnding(b);
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

const Rule* RuleFor(const AppRules& rules, const std::vector<std::string>& names) {
    for (const Rule& rule : rules.rules)
        for (const std::string& name : names)
            if (SameApplication(rule.app, name)) return &rule;
    return nullptr;
}

std::vector<Rule>::iterator Find(AppRules& rules, std::string_view app) {
    return std::ranges::find_if(rules.rules,
                                [&](const Rule& rule) { return SameApplication(rule.app, app); });
}

}  // namespace rules
