#include "ops/RulesEndpoint.h"

#include "persist/RulesJson.h"

Outcome ApplyRules(const RulesRequest& request, rules::AppRules& rules) {
    const bool others = request.app == kOtherApplications;
    switch (request.action) {
        case RulesRequest::Action::List:
            return {};
        case RulesRequest::Action::On:
        case RulesRequest::Action::Off:
            rules.enabled = request.action == RulesRequest::Action::On;
            return {kExitDone, rules.enabled ? "following applications" : "not following"};
        case RulesRequest::Action::Add:
            if (others) {
                rules.otherwise = request.target;
            } else if (const auto found = rules::Find(rules, request.app);
                       found != rules.rules.end()) {
                found->target = request.target;
            } else {
                rules.rules.push_back({request.app, request.target});
            }
            return {kExitDone, "rule for " + request.app + " saved"};
        case RulesRequest::Action::Remove:
            if (others) {
                rules.otherwise.reset();
            } else {
                const auto found = rules::Find(rules, request.app);
                if (found == rules.rules.end())
                    return {kExitUsage, "there is no rule for " + request.app};
                rules.rules.erase(found);
            }
            return {kExitDone, "rule for " + request.app + " removed"};
    }
    return {};
}

nlohmann::json RulesReport(const rules::AppRules& rules) {
    nlohmann::json report = persist::WriteRulesJson(rules);
    report["version"] = 1;
    return report;
}

Outcome SaveRules(persist::AppRulesFile& file, const rules::AppRules& rules) {
    const persist::AppRulesFile::Saved saved = file.Save(rules);
    if (!saved.error.empty())
        return {kExitKeyboard, "the rules could not be saved: " + saved.error};
    if (saved.kept)
        return {kExitDone, "the unreadable rules file was kept as " + saved.kept->string()};
    return {};
}

Outcome FileRules::Rules(const RulesRequest& request, nlohmann::json& report) {
    rules::AppRules rules = file_.Load();
    Outcome outcome = ApplyRules(request, rules);
    if (outcome.code == kExitDone && request.action != RulesRequest::Action::List) {
        const Outcome saved = SaveRules(file_, rules);
        if (saved.code != kExitDone)
            outcome = saved;
        else if (!saved.message.empty())
            outcome.message += "; " + saved.message;
    }
    report = RulesReport(outcome.code == kExitDone ? rules : file_.Load());
    return outcome;
}

Outcome FileRules::Replace(const rules::AppRules& rules) {
    file_.Load();  // an unreadable file is kept aside first
    return SaveRules(file_, rules);
}
