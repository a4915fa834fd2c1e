#include "ops/FocusFollower.h"

#include <utility>

#include "ops/KeyNames.h"

bool KnownAs(const std::vector<std::string>& names, const std::vector<std::string>& own) {
    for (const std::string& name : names)
        for (const std::string& ours : own)
            if (rules::SameApplication(name, ours)) return true;
    return false;
}

FocusFollower::FocusFollower(std::vector<std::string> own) : own_(std::move(own)) {}

std::optional<SetRequest> FocusFollower::OnFocus(const std::vector<std::string>& names,
                                                 const rules::AppRules& rules,
                                                 const Showing& showing) {
    if (names.empty() || KnownAs(names, own_)) return std::nullopt;
    if (!front_.empty() && rules::SameApplication(front_.front(), names.front()))
        return std::nullopt;
    front_ = names;
    return Renew(rules, showing);
}

std::optional<SetRequest> FocusFollower::Renew(const rules::AppRules& rules,
                                               const Showing& showing) const {
    if (!rules.enabled || front_.empty()) return std::nullopt;
    const rules::Rule* rule = rules::RuleFor(rules, front_);
    const std::optional<rules::Target> target = rule ? rule->target : rules.otherwise;
    if (!target) return std::nullopt;
    SetRequest request;
    if (target->profile != showing.profile) request.profile = target->profile;
    // Another profile shows its own mode, which is known only once it is active.
    if (target->mode && (request.profile || !keynames::Same(keynames::FromText(*target->mode),
                                                            keynames::FromText(showing.mode))))
        request.mode = target->mode;
    if (request.Empty()) return std::nullopt;
    return request;
}
