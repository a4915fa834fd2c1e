#include "ops/KeyboardOperations.h"

#include "ops/AssignmentPlan.h"
#include "ops/BackupNamingOf.h"
#include "ops/KeyboardPresence.h"
#include "ops/RefusalWatch.h"
#include "ops/SetCheck.h"

KeyboardOperations::KeyboardOperations(KeyboardClient& client, RefusalWatch* watch,
                                       const std::filesystem::path& uiFolder)
    : client_(client),
      watch_(watch),
      colourKeys_(KeyPositions::Read(KeyPositions::ColourKeysFile(uiFolder))),
      assignKeys_(KeyPositions::Read(KeyPositions::AssignKeysFile(uiFolder))),
      backup_(client, [this] { return Failures(); }) {}

KeyboardStatus KeyboardOperations::Status() const {
    const std::lock_guard lock(calling_);
    // Changes on their way, such as a connection read still running, come first; the shapes
    // are not read while the store may still be writing them.
    if (!KeyboardClient::Settle()) {
        KeyboardStatus unanswered;
        unanswered.presence = KeyboardStatus::Presence::Unanswered;
        return unanswered;
    }
    KeyboardStatus status = client_.Status();
    if (watch_) {
        const Presence presence = ProbePresence(watch_->Inner(), status.connected());
        status.presence = presence.presence;
        status.productId = presence.productId;
        status.openFailure = presence.openFailure;
    }
    return status;
}

StatusContext KeyboardOperations::Context() const {
    return {colourKeys_,
            assignKeys_,
            {client_.FunctionKeys(), client_.Combinations(), client_.MacroGroups()}};
}

nlohmann::json KeyboardOperations::StatusReport() {
    const std::lock_guard lock(calling_);
    return StatusReport(Status());
}

nlohmann::json KeyboardOperations::StatusReport(const KeyboardStatus& status) const {
    const std::lock_guard lock(calling_);
    return ::StatusJson(status, Context());
}

nlohmann::json KeyboardOperations::ModesReport() {
    const std::lock_guard lock(calling_);
    return ::ModesJson(Status());
}

std::uint64_t KeyboardOperations::Failures() const {
    return watch_ ? watch_->Failures() : 0;
}

bool KeyboardOperations::Present(Outcome& outcome) const {
    const KeyboardStatus status = Status();
    if (status.connected()) return true;
    outcome = {kExitKeyboard, PresenceText(status)};
    return false;
}

Outcome KeyboardOperations::Finish(std::uint64_t failuresBefore, bool settled,
                                   std::string done) const {
    if (!settled) return {kExitKeyboard, "the keyboard did not answer in time"};
    if (Failures() != failuresBefore) return {kExitKeyboard, "the keyboard refused the command"};
    if (!Status().connected()) return {kExitKeyboard, "the keyboard went away"};
    return {kExitDone, std::move(done)};
}

Outcome KeyboardOperations::Set(const SetRequest& request) {
    const std::lock_guard lock(calling_);
    Outcome outcome;
    if (!Present(outcome)) return outcome;
    const SetCheckResult check = CheckSet(request, Status());
    if (!check.error.empty()) return {kExitUsage, check.error};
    const SetPlan& plan = check.plan;
    const std::uint64_t before = Failures();
    bool settled = true;
    if (plan.profile) settled = client_.SelectProfile(*plan.profile) && settled;
    if (plan.modeIndex) settled = client_.SelectMode(*plan.modeIndex) && settled;
    // The register of the mode now current, as the keyboard logic published it.
    _reg_mode_t reg = client_.Status().reg;
    if (plan.ApplyTo(reg)) settled = client_.WriteRegister(reg) && settled;
    if (plan.colourSet) settled = client_.SelectColourSet(*plan.colourSet) && settled;
    return Finish(before, settled, "set");
}

Outcome KeyboardOperations::Paint(const PaintRequest& request) {
    const std::lock_guard lock(calling_);
    Outcome outcome;
    if (!Present(outcome)) return outcome;
    std::vector<int> entries;
    for (const std::string& name : request.keys) {
        const std::vector<KeyPosition> keys = colourKeys_.Find(name);
        if (keys.empty()) return {kExitUsage, "the keyboard has no key \"" + name + "\" to paint"};
        for (const KeyPosition& key : keys) entries.push_back(key.order);
    }
    const std::uint64_t before = Failures();
    return Finish(before, client_.PaintKeys(entries, request.colour), "painted");
}

Outcome KeyboardOperations::Assign(const AssignRequest& request) {
    const std::lock_guard lock(calling_);
    Outcome outcome;
    if (!Present(outcome)) return outcome;
    const StatusContext context = Context();
    const AssignmentPlan plan = PlanAssignment(request, assignKeys_, context.choices);
    if (!plan.error.empty()) return {kExitUsage, plan.error};
    const std::uint64_t before = Failures();
    outcome = Finish(before, client_.Assign(plan.request), "assigned");
    if (outcome.code != kExitDone) return outcome;
    // The keyboard logic drops an assignment silently, for example when every macro slot is
    // taken; the key table it read back tells.
    const KeyboardStatus status = client_.Status();
    const std::size_t key = plan.request.key();
    const bool assigned = key < status.keyCodes.size() && status.keyCodes[key].hasAssignment();
    if (assigned != (request.kind != AssignKind::Clear))
        return {kExitKeyboard, "the keyboard did not take the assignment"};
    return outcome;
}

persist::BackupNaming KeyboardOperations::Naming() const {
    const std::lock_guard lock(calling_);
    const KeyboardStatus status = client_.Status();
    return BackupNamingOf(colourKeys_, assignKeys_, client_.FunctionKeys(), client_.Combinations(),
                          status.keyColours.size(), status.keyCodes.size());
}

Outcome KeyboardOperations::Export(std::string& text) {
    const std::lock_guard lock(calling_);
    Outcome outcome;
    if (!Present(outcome)) return outcome;
    return backup_.Export(Naming(), text);
}

Outcome KeyboardOperations::Import(const std::string& text, bool partial, KeyChanges keys) {
    const std::lock_guard lock(calling_);
    Outcome outcome;
    if (!Present(outcome)) return outcome;
    return backup_.Import(Naming(), text, partial, keys);
}
