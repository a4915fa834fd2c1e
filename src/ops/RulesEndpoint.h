#pragma once
// The user's rules of applications to profiles, as every surface reaches them: the running
// window's (FrontSwitch, also through the session bus) or, without a window, the rules file.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "ops/KeyboardEndpoint.h"
#include "persist/AppRulesFile.h"
#include "records/AppRules.h"

// The application name that stands for every application without a rule of its own.
inline constexpr std::string_view kOtherApplications = "*";

struct RulesRequest {
    enum class Action { List, Add, Remove, On, Off };
    Action action = Action::List;
    std::string app;       // Add, Remove
    rules::Target target;  // Add
};

class RulesEndpoint {
public:
    virtual ~RulesEndpoint() = default;
    // Carries the request out and describes the rules as they are then (RulesReport).
    virtual Outcome Rules(const RulesRequest& request, nlohmann::json& report) = 0;
};

// Where the rules are kept, for the keyboard backup, which saves and restores them whole.
class RulesStore {
public:
    virtual ~RulesStore() = default;
    virtual rules::AppRules Current() = 0;
    // The outcome names the file when it could not be written.
    virtual Outcome Replace(const rules::AppRules& rules) = 0;
};

// Changes `rules` as asked: Add replaces the application's rule, Remove of a rule that is not
// there is a usage error.
Outcome ApplyRules(const RulesRequest& request, rules::AppRules& rules);

// {"version": 1, "enabled", "rules": [{"app", "profile", "mode"?}], "otherwise": {...} or null}
nlohmann::json RulesReport(const rules::AppRules& rules);

// The rules file itself, for a process without a window.
class FileRules : public RulesEndpoint, public RulesStore {
public:
    explicit FileRules(persist::AppRulesFile file) : file_(std::move(file)) {}
    Outcome Rules(const RulesRequest& request, nlohmann::json& report) override;
    rules::AppRules Current() override { return file_.Load(); }
    Outcome Replace(const rules::AppRules& rules) override;

private:
    persist::AppRulesFile file_;
};

// Saves the rules and turns what became of the file into an outcome.
Outcome SaveRules(persist::AppRulesFile& file, const rules::AppRules& rules);
