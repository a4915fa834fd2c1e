#pragma once
// Switches the keyboard as applications come to the front, by the user's rules: holds the rules
// and their file, and carries the switches out on a thread of its own, so that neither the
// display's watch nor the window ever waits for the keyboard. Of several changes of the front
// application that arrive while the keyboard is busy only the last is followed.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ops/FocusFollower.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/RecentFronts.h"
#include "ops/RulesEndpoint.h"
#include "persist/AppRulesFile.h"

class KeyboardOperations;

class FrontSwitch : public RulesEndpoint, public RulesStore {
public:
    // Reads the rules from `file`. `own` names this program (see FocusFollower).
    FrontSwitch(KeyboardOperations& operations, persist::AppRulesFile file,
                std::vector<std::string> own);
    // Waits for a switch in progress.
    ~FrontSwitch() override;
    FrontSwitch(const FrontSwitch&) = delete;
    FrontSwitch& operator=(const FrontSwitch&) = delete;

    // From any thread: the application now in front (see focus::FrontWatch).
    void Front(const std::vector<std::string>& names);

    rules::AppRules Current() override;
    Outcome Replace(const rules::AppRules& rules) override;
    // The applications seen in front, most recent first, this program left out.
    std::vector<std::string> Recent() const { return recent_.Names(); }
    // A change is saved, and the application in front gets what the rules want now. When the
    // file cannot be written the outcome says so, and the change holds until the program ends.
    Outcome Rules(const RulesRequest& request, nlohmann::json& report) override;

    // Called on the switching thread after each switch it sent, with its outcome.
    void OnSwitched(std::function<void(const SetRequest&, const Outcome&)> handler);

private:
    void Run();
    void Switch(const std::optional<std::vector<std::string>>& front, bool renew);

    KeyboardOperations& operations_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    persist::AppRulesFile file_;
    rules::AppRules rules_;
    FocusFollower follower_;  // the switching thread's alone
    RecentFronts recent_;
    std::optional<std::vector<std::string>> front_;
    bool renew_ = false;
    bool stopping_ = false;
    std::function<void(const SetRequest&, const Outcome&)> switched_;
    std::thread thread_;
};
