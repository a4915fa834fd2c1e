#pragma once
// Which on-board profile, and optionally which of its modes, the keyboard shows while an
// application is in front.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// The highest profile number a rule or a command takes; the keyboard may have fewer.
inline constexpr int kLastProfile = 255;

struct Target {
    int profile = 0;                  // from 0, as the window names them (P0, P1, ...)
    std::optional<std::string> mode;  // a mode's name; none leaves the profile's own mode
    bool operator==(const Target&) const = default;
};

struct Rule {
    std::string app;  // desktop file id, Wayland app id or X11 class, as the desktop tells it
    Target target;
    bool operator==(const Rule&) const = default;
};

struct AppRules {
    bool enabled = false;
    std::vector<Rule> rules;
    // For every application without a rule; none leaves the keyboard as it is.
    std::optional<Target> otherwise;
    bool operator==(const AppRules&) const = default;
};

// Application names as desktops spell them differ in case and in a ".desktop" ending.
bool SameApplication(std::string_view a, std::string_view b);

// The rule for an application known under any of `names`, else null.
const Rule* RuleFor(const AppRules& rules, const std::vector<std::string>& names);

// Where a rule for `app` sits, else the end.
std::vector<Rule>::iterator Find(AppRules& rules, std::string_view app);

}  // namespace rules
