#include "logic/HookGate.h"

HookGate::Pass::Pass(HookGate& gate) : gate_(gate), admitted_(gate.Enter()) {}

HookGate::Pass::~Pass() {
    if (admitted_) gate_.Leave();
}

bool HookGate::Enter() {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    ++active_;
    return true;
}

void HookGate::Leave() {
    std::lock_guard lock(mutex_);
    if (--active_ == 0) idle_.notify_all();
}

void HookGate::Shut() {
    std::lock_guard lock(mutex_);
    closed_ = true;
}

void HookGate::Close() {
    std::unique_lock lock(mutex_);
    closed_ = true;
    idle_.wait(lock, [this] { return active_ == 0; });
}

bool HookGate::IsClosed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}
