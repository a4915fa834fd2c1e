#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// An event that stays signalled once set, until it is reset; every waiter wakes.
class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Returns true when the event is (or becomes) signalled within the timeout.
    bool WaitFor(std::chrono::milliseconds timeout) const;
    void Wait() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool signalled_;
};
