#pragma once
// The commands carried out on a keyboard client: checked first, then published through the
// keyboard logic. Used by the command process and by the running window's bus service.
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

#include "ops/BackupOperations.h"
#include "ops/KeyboardClient.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/KeyboardRequests.h"
#include "ops/StatusReport.h"

class RefusalWatch;

// Safe to call from more than one thread: one call runs at a time (the window's backup runs on a
// thread of its own, the bus calls on the bus service's).
class KeyboardOperations : public KeyboardEndpoint {
public:
    // `watch` may be null: failed reports are then not noticed. `uiFolder` holds the key
    // pictures' coordinates files, which name the keys.
    KeyboardOperations(KeyboardClient& client, RefusalWatch* watch,
                       const std::filesystem::path& uiFolder);

    // Holds the keyboard for this thread's calls when no other thread is in a call; the lock is
    // not owned when one is.
    std::unique_lock<std::recursive_mutex> TryHold() const {
        return std::unique_lock(calling_, std::try_to_lock);
    }

    // Unanswered when the store did not settle in time.
    KeyboardStatus Status() const;
    // The description `status` prints of a status read before.
    nlohmann::json StatusReport(const KeyboardStatus& status) const;

    nlohmann::json StatusReport() override;
    nlohmann::json ModesReport() override;
    Outcome Set(const SetRequest& request) override;
    Outcome Paint(const PaintRequest& request) override;
    Outcome Assign(const AssignRequest& request) override;
    Outcome Export(std::string& text) override;
    Outcome Import(const std::string& text, bool partial, KeyChanges keys) override;
    // Where the rules of applications a backup holds are kept (see BackupOperations::UseRules).
    void UseRules(RulesStore* rules) { backup_.UseRules(rules); }
    // How a backup file names this keyboard's entries; known before the keyboard is read.
    persist::BackupNaming Naming() const;

private:
    StatusContext Context() const;
    // Kept when the keyboard is there; the absence otherwise.
    bool Present(Outcome& outcome) const;
    // Turns failed reports or an unsettled store into an outcome.
    Outcome Finish(std::uint64_t failuresBefore, bool settled, std::string done) const;
    std::uint64_t Failures() const;

    // Held by every public call; the calls use each other.
    mutable std::recursive_mutex calling_;
    KeyboardClient& client_;
    RefusalWatch* watch_;
    KeyPositions colourKeys_;
    KeyPositions assignKeys_;
    BackupOperations backup_;
};
