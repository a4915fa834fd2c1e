#include "ops/RecentFronts.h"

#include <algorithm>

#include "ops/FocusFollower.h"
#include "records/AppRules.h"

void RecentFronts::Saw(const std::vector<std::string>& names) {
    if (names.empty() || names.front().empty() || KnownAs(names, own_)) return;
    const std::lock_guard lock(mutex_);
    std::erase_if(names_, [&](const std::string& seen) {
        return rules::SameApplication(seen, names.front());
    });
    names_.push_front(names.front());
    if (names_.size() > kKept) names_.pop_back();
}

std::vector<std::string> RecentFronts::Names() const {
    const std::lock_guard lock(mutex_);
    return {names_.begin(), names_.end()};
}
