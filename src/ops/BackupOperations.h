#pragma once
// Export and import of the whole keyboard through the keyboard logic's shapes: the same path
// the window's changes take, so the screens show each step.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ops/KeyboardClient.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/RulesEndpoint.h"
#include "persist/BackupRestorePlan.h"
#include "persist/KeyboardBackup.h"

class BackupOperations {
public:
    // `failures` counts the reports the keyboard refused so far.
    BackupOperations(KeyboardClient& client, std::function<std::uint64_t()> failures);

    // Where the rules of applications are kept, which a backup holds too; none: the backup
    // leaves them out and a restore leaves them as they are.
    void UseRules(RulesStore* rules) { rules_ = rules; }

    // The backup file's text of the keyboard, the program's macro groups and the rules.
    Outcome Export(const persist::BackupNaming& naming, std::string& text);
    // The file's refusal, when it is no backup this program can read; done before the keyboard
    // is read. A backup of another product is no refusal here: entries are matched by name, so
    // a partial restore brings back what matches (Import).
    static std::optional<Outcome> Check(const persist::BackupNaming& naming,
                                        const std::string& text,
                                        std::optional<persist::KeyboardBackup>* backup = nullptr);
    // Checks the whole text before anything is sent; a file from a keyboard of another product
    // or shape is refused, naming what differs, unless `partial`, which restores what matches,
    // and one that changes key assignments as `keys` says.
    Outcome Import(const persist::BackupNaming& naming, const std::string& text, bool partial,
                   KeyChanges keys);

private:
    struct Step {
        const char* what;  // in words, for the outcome
        std::function<bool()> run;
    };
    bool RestoreLighting(const KeyboardSnapshot& target, const KeyboardSnapshot& now);
    bool RestoreColours(const KeyboardSnapshot& target, const KeyboardSnapshot& now);
    bool RestoreKeys(const KeyboardSnapshot& target, const KeyboardSnapshot& now);
    bool AddGroups(const std::vector<persist::MacroGroupContent>& groups, std::string& said);
    // Runs the steps in order and stops at the first one the keyboard did not take.
    Outcome RunSteps(const std::vector<Step>& steps, const persist::RestorePlan& plan,
                     const std::string& done);

    KeyboardClient& client_;
    std::function<std::uint64_t()> failures_;
    std::atomic<RulesStore*> rules_ = nullptr;
};
