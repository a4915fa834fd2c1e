#pragma once

#include <deque>
#include <memory>
#include <mutex>

#include "device/HidBackend.h"

// Events of the emulated backend for one monitor. An eventfd counts the waiting events, so the
// UI polls it exactly as it polls the real monitor's socket.
class EmulatedEventQueue {
public:
    EmulatedEventQueue();
    ~EmulatedEventQueue();
    EmulatedEventQueue(const EmulatedEventQueue&) = delete;
    EmulatedEventQueue& operator=(const EmulatedEventQueue&) = delete;

    int Fd() const { return fd_; }
    void Push(HidEvent event);
    std::optional<HidEvent> Pop();

private:
    std::mutex mutex_;
    std::deque<HidEvent> events_;
    int fd_;
};

class EmulatedMonitor : public HidMonitor {
public:
    explicit EmulatedMonitor(std::shared_ptr<EmulatedEventQueue> queue)
        : queue_(std::move(queue)) {}
    int Fd() const override { return queue_->Fd(); }
    std::optional<HidEvent> Next() override { return queue_->Pop(); }

private:
    std::shared_ptr<EmulatedEventQueue> queue_;
};
