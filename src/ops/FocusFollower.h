#pragma once
// Decides what the keyboard is switched to as applications come to the front. A switch is asked
// only when the application in front changes and its target differs from what the keyboard
// shows, so a change the user makes meanwhile stays until another application comes forward.
#include <optional>
#include <string>
#include <vector>

#include "ops/KeyboardRequests.h"
#include "records/AppRules.h"

// What the keyboard shows now.
struct Showing {
    int profile = 0;
    std::string mode;
};

// Whether an application known under `names` is one of `own`, in any spelling.
bool KnownAs(const std::vector<std::string>& names, const std::vector<std::string>& own);

class FocusFollower {
public:
    // `own` names this program, whose window coming forward switches nothing: its user is about
    // to change the keyboard by hand.
    explicit FocusFollower(std::vector<std::string> own);

    // An application known under `names` (the first its identity) came to the front; empty
    // names (no window in front) change nothing.
    std::optional<SetRequest> OnFocus(const std::vector<std::string>& names,
                                      const rules::AppRules& rules, const Showing& showing);
    // The rules changed or were turned on: what the application in front wants now.
    std::optional<SetRequest> Renew(const rules::AppRules& rules, const Showing& showing) const;

private:
    std::vector<std::string> own_;
    std::vector<std::string> front_;
};
