#include "logic/ManualResetEvent.h"

void ManualResetEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void ManualResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

bool ManualResetEvent::WaitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return signalled_; });
}

void ManualResetEvent::Wait() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
}
