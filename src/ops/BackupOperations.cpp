#include "ops/BackupOperations.h"

#include <cstring>

#include "ops/KeyNames.h"
#include "persist/AssignmentChanges.h"
#include "persist/MacroGroupContent.h"
#include "persist/MacroSharing.h"
#include "records/JoinedText.h"

namespace {

bool SameSteps(const persist::MacroGroupContent& a, const persist::MacroGroupContent& b) {
    return a.info.name == b.info.name && a.info.repeat == b.info.repeat &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), b.items.end(),
                      [](const MacroRecordGpItem& x, const MacroRecordGpItem& y) {
                          return x.code == y.code && x.state == y.state && x.delay == y.delay;
                      });
}

macrokey_pack_t RequestFor(const KeyboardSnapshot& target, std::size_t key) {
    macrokey_pack_t request;
    const macro_code_t code = target.keyCodes[key];
    request.setKey(static_cast<std::uint16_t>(key));
    request.setType(code.type());
    if (code.playsMacro()) {
        request.macro = target.macros.at(code.value());
    } else {
        request.setCode(code.value());
    }
    return request;
}

}  // namespace

BackupOperations::BackupOperations(KeyboardClient& client, std::function<std::uint64_t()> failures)
    : client_(client), failures_(std::move(failures)) {}

Outcome BackupOperations::Export(const persist::BackupNaming& naming, std::string& text) {
    const std::optional<KeyboardSnapshot> snapshot = client_.ReadSnapshot(shapes::kQuietRead);
    if (!snapshot) return {kExitKeyboard, "the keyboard could not be read"};
    RulesStore* rules = rules_;
    text = persist::WriteKeyboardBackup({*snapshot, persist::ToContents(client_.MacroGroups()),
                                         rules ? std::optional(rules->Current()) : std::nullopt},
                                        naming);
    return {kExitDone, "exported"};
}

std::optional<Outcome> BackupOperations::Check(const persist::BackupNaming& naming,
                                               const std::string& text,
                                               std::optional<persist::KeyboardBackup>* backup) {
    persist::BackupReadResult read = persist::ReadKeyboardBackup(text, naming);
    if (!read.backup)
        return Outcome{kExitUsage, persist::BackupErrorText(read.error) + "; nothing was sent"};
    if (backup) *backup = std::move(read.backup);
    return std::nullopt;
}

Outcome BackupOperations::Import(const persist::BackupNaming& naming, const std::string& text,
                                 bool partial, KeyChanges keys) {
    std::optional<persist::KeyboardBackup> file;
    if (auto refused = Check(naming, text, &file)) return *refused;
    // Read afresh: only what differs is sent, and the keyboard may have changed by itself.
    const std::optional<KeyboardSnapshot> now = client_.ReadSnapshot(shapes::kAfterRead);
    if (!now) return {kExitKeyboard, "the keyboard could not be read; nothing was sent"};
    const persist::RestorePlan plan = persist::PlanRestore(file->keyboard, *now);
    if (!plan.differences.empty() && !partial) {
        const std::string differences = Joined(plan.differences, "; ");
        return {kExitUsage,
                "the file is from a keyboard that differs from this one: " + differences +
                    ". Nothing was sent; --partial restores what matches",
                differences};
    }
    const KeyboardSnapshot& target = plan.target;
    std::vector<std::string> changes;
    for (const persist::AssignmentChange& change : persist::AssignmentChanges(target, *now, naming))
        changes.push_back(change.Line());
    const std::string changed =
        std::to_string(changes.size()) + (changes.size() == 1 ? " key plays" : " keys play");
    if (keys == KeyChanges::List)
        return {kExitDone,
                changes.empty() ? "the file changes no key's assignment; nothing was sent"
                                : "with the file " + changed + " something else; nothing was sent",
                {},
                changes};
    if (keys == KeyChanges::Refuse && !changes.empty())
        return {kExitUsage,
                "with the file " + changed +
                    " something else, which needs a confirmation; "
                    "nothing was sent",
                {},
                changes};
    std::string groupsSaid;
    const std::vector<Step> steps = {
        {"the lighting", [&] { return RestoreLighting(target, *now); }},
        {"the colour sets", [&] { return RestoreColours(target, *now); }},
        // Groups first: a key's macro then finds its group instead of making a nameless one.
        {"the macro groups", [&] { return AddGroups(file->groups, groupsSaid); }},
        {"the key assignments", [&] { return RestoreKeys(target, *now); }},
    };
    const std::string done = plan.differences.empty()
                                 ? "restored the whole keyboard"
                                 : "restored what matches (" + Joined(plan.differences, "; ") + ")";
    Outcome outcome = RunSteps(steps, plan, done);
    if (!groupsSaid.empty()) outcome.message += "; " + groupsSaid;
    // The rules need nothing of the keyboard: restored whatever it took.
    if (RulesStore* rules = rules_; rules && file->rules) {
        const Outcome replaced = rules->Replace(*file->rules);
        outcome.message += replaced.code == kExitDone ? "; restored the rules of applications"
                                                      : "; " + replaced.message;
        if (outcome.code == kExitDone) outcome.code = replaced.code;
    }
    return outcome;
}

Outcome BackupOperations::RunSteps(const std::vector<Step>& steps, const persist::RestorePlan& plan,
                                   const std::string& done) {
    std::vector<std::string> restored;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::uint64_t before = failures_();
        const bool ok = steps[i].run();
        if (ok && failures_() == before && client_.Status().connected()) {
            restored.push_back(steps[i].what);
            continue;
        }
        std::vector<std::string> missing;
        for (std::size_t j = i; j < steps.size(); ++j) missing.push_back(steps[j].what);
        // The screens show what the keyboard really holds again.
        client_.ReadSnapshot(shapes::kAfterRead);
        return {kExitKeyboard, std::string("the keyboard did not take ") + steps[i].what +
                                   (restored.empty() ? "; nothing was restored"
                                                     : "; restored " + Joined(restored)) +
                                   "; not restored: " + Joined(missing)};
    }
    const std::optional<KeyboardSnapshot> after = client_.ReadSnapshot(shapes::kAfterRead);
    if (!after) return {kExitKeyboard, "the keyboard could not be read back after the restore"};
    const std::vector<std::string> wrong = persist::SnapshotDifferences(plan.target, *after);
    if (!wrong.empty())
        return {kExitKeyboard, "the keyboard read back differs from the file in " + Joined(wrong)};
    return {kExitDone, done};
}

bool BackupOperations::RestoreLighting(const KeyboardSnapshot& target,
                                       const KeyboardSnapshot& now) {
    bool settled = true;
    for (std::size_t p = 0; p < target.profiles.size(); ++p) {
        const auto& want = target.profiles[p].registers;
        const auto& have = now.profiles[p].registers;
        bool selected = false;
        for (std::size_t m = 0; m < want.size(); ++m) {
            if (persist::SameRegister(want[m], have[m])) continue;
            if (!selected) settled = client_.SelectProfile(static_cast<int>(p)) && settled;
            selected = true;
            settled = client_.SelectMode(static_cast<int>(m)) && settled;
            settled = client_.WriteRegister(want[m]) && settled;
        }
        if (selected || target.profiles[p].activeMode != now.profiles[p].activeMode) {
            if (!selected) settled = client_.SelectProfile(static_cast<int>(p)) && settled;
            settled = client_.SelectMode(target.profiles[p].activeMode) && settled;
        }
    }
    return client_.SelectProfile(target.activeProfile) && settled;
}

bool BackupOperations::RestoreColours(const KeyboardSnapshot& target, const KeyboardSnapshot& now) {
    bool settled = true;
    for (std::size_t s = 0; s < target.colourSets.size(); ++s) {
        const auto& want = target.colourSets[s];
        const auto& have = now.colourSets[s];
        if (std::memcmp(want.data(), have.data(), want.size() * sizeof(rgba_t)) == 0) continue;
        settled = client_.SelectColourSet(static_cast<int>(s)) && settled;
        settled = client_.WriteKeyColours(want) && settled;
    }
    return client_.SelectColourSet(target.activeColourSet) && settled;
}

bool BackupOperations::RestoreKeys(const KeyboardSnapshot& target, const KeyboardSnapshot& now) {
    bool settled = true;
    std::vector<std::size_t> changed;
    for (std::size_t k = 0; k < target.keyCodes.size(); ++k)
        if (!persist::SameAssignment(target, k, now, k)) changed.push_back(k);
    // Keys that change lose their macros first, so their slots are free for the new ones.
    bool cleared = false;
    for (std::size_t k : changed) {
        if (!now.keyCodes[k].playsMacro()) continue;
        macrokey_pack_t clear;
        clear.setKey(static_cast<std::uint16_t>(k));
        settled = client_.Assign(clear) && settled;
        cleared = true;
    }
    // The groups still name the slots they were sent to; a read as at a connection lets go of
    // the slots no key plays any more.
    if (cleared) settled = client_.ReadSnapshot(shapes::kAfterRead).has_value() && settled;
    for (std::size_t k : changed) {
        const macro_code_t code = target.keyCodes[k];
        // A key that plays a slot without a macro cannot be given one; the check reports it.
        if (code.playsMacro() && !target.macros.count(code.value())) continue;
        if (!code.playsMacro() && now.keyCodes[k].playsMacro() && code == macro_code_t{}) continue;
        settled = client_.Assign(RequestFor(target, k)) && settled;
    }
    return settled;
}

bool BackupOperations::AddGroups(const std::vector<persist::MacroGroupContent>& groups,
                                 std::string& said) {
    const std::vector<persist::MacroGroupContent> existing =
        persist::ToContents(client_.MacroGroups());
    std::vector<persist::MacroGroupContent> fresh;
    for (const persist::MacroGroupContent& group : groups) {
        const bool known = std::any_of(existing.begin(), existing.end(),
                                       [&](const auto& own) { return SameSteps(own, group); });
        if (!known) fresh.push_back(group);
    }
    if (fresh.empty()) return true;
    const std::size_t room =
        existing.size() < persist::kMaxMacroGroups ? persist::kMaxMacroGroups - existing.size() : 0;
    std::vector<std::string> names;
    if (fresh.size() > room) {
        said = std::to_string(fresh.size() - room) +
               " macro groups not added: the list holds at most " +
               std::to_string(persist::kMaxMacroGroups);
        fresh.resize(room);
    }
    std::list<MacroRecordGroup> added;
    for (const persist::MacroGroupContent& group : persist::GroupsToAdd(existing, fresh)) {
        added.push_back(persist::ToGroup(group));
        names.push_back("\"" + keynames::ToText(group.info.name) + "\"");
    }
    if (!names.empty())
        said = "added the macro groups " + Joined(names) + (said.empty() ? "" : "; " + said);
    return added.empty() || client_.AddMacroGroups(added);
}
