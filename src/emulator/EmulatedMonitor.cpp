#include "emulator/EmulatedMonitor.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

EmulatedEventQueue::EmulatedEventQueue()
    : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK | EFD_SEMAPHORE)) {}

EmulatedEventQueue::~EmulatedEventQueue() {
    if (fd_ >= 0) close(fd_);
}

void EmulatedEventQueue::Push(HidEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
    std::uint64_t one = 1;
    if (fd_ >= 0 && write(fd_, &one, sizeof one) != sizeof one) {
        // The counter cannot overflow with the few events a test makes; nothing to do.
    }
}

std::optional<HidEvent> EmulatedEventQueue::Pop() {
    std::lock_guard lock(mutex_);
    if (events_.empty()) return std::nullopt;
    std::uint64_t count = 0;
    if (fd_ >= 0 && read(fd_, &count, sizeof count) != sizeof count) {
        // Already drained; the queue is what counts.
    }
    HidEvent event = std::move(events_.front());
    events_.pop_front();
    return event;
}
