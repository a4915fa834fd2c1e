#include "ops/FrontSwitch.h"

#include "ops/KeyboardOperations.h"
#include "records/JoinedText.h"
#include "trace/Trace.h"

FrontSwitch::FrontSwitch(KeyboardOperations& operations, persist::AppRulesFile file,
                         std::vector<std::string> own)
    : operations_(operations),
      file_(std::move(file)),
      rules_(file_.Load()),
      follower_(own),
      recent_(std::move(own)),
      thread_([this] { Run(); }) {}

FrontSwitch::~FrontSwitch() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void FrontSwitch::Front(const std::vector<std::string>& names) {
    // The names a rule may use, for whoever writes one.
    trace::Printf(trace::Level::Info, "in front: %s", names.empty() ? "-" : Joined(names).c_str());
    recent_.Saw(names);
    {
        std::lock_guard lock(mutex_);
        front_ = names;
    }
    wake_.notify_all();
}

rules::AppRules FrontSwitch::Current() {
    std::lock_guard lock(mutex_);
    return rules_;
}

Outcome FrontSwitch::Replace(const rules::AppRules& rules) {
    Outcome outcome;
    {
        std::lock_guard lock(mutex_);
        rules_ = rules;
        outcome = SaveRules(file_, rules_);
        renew_ = true;
    }
    wake_.notify_all();
    return outcome;
}

Outcome FrontSwitch::Rules(const RulesRequest& request, nlohmann::json& report) {
    Outcome outcome;
    {
        std::lock_guard lock(mutex_);
        outcome = ApplyRules(request, rules_);
        if (outcome.code == kExitDone && request.action != RulesRequest::Action::List) {
            const Outcome saved = SaveRules(file_, rules_);
            if (saved.code != kExitDone) outcome = saved;
            renew_ = true;
        }
        report = RulesReport(rules_);
    }
    wake_.notify_all();
    return outcome;
}

void FrontSwitch::OnSwitched(std::function<void(const SetRequest&, const Outcome&)> handler) {
    std::lock_guard lock(mutex_);
    switched_ = std::move(handler);
}

void FrontSwitch::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || front_ || renew_; });
        if (stopping_) return;
        const std::optional<std::vector<std::string>> front = std::exchange(front_, std::nullopt);
        const bool renew = std::exchange(renew_, false);
        lock.unlock();
        Switch(front, renew);
        lock.lock();
    }
}

void FrontSwitch::Switch(const std::optional<std::vector<std::string>>& front, bool renew) {
    const KeyboardStatus status = operations_.Status();
    if (!status.connected()) return;
    const ModeInfo* mode = status.currentMode();
    const Showing showing{status.activeProfile, mode ? mode->name : std::string()};
    const rules::AppRules rules = Current();
    std::optional<SetRequest> request;
    if (front) request = follower_.OnFocus(*front, rules, showing);
    if (!request && renew) request = follower_.Renew(rules, showing);
    if (!request) return;
    const Outcome outcome = operations_.Set(*request);
    trace::Printf(trace::Level::Info, "front %s: profile %d mode %s: %s",
                  front && !front->empty() ? front->front().c_str() : "-",
                  request->profile.value_or(-1), request->mode.value_or("-").c_str(),
                  outcome.code == kExitDone ? "done" : outcome.message.c_str());
    std::function<void(const SetRequest&, const Outcome&)> switched;
    {
        std::lock_guard lock(mutex_);
        switched = switched_;
    }
    if (switched) switched(*request, outcome);
}
