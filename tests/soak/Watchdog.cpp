#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>

Watchdog::Watchdog(std::chrono::milliseconds bound) : bound_(bound), thread_([this] { Watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::Started(std::string action) {
    std::lock_guard lock(mutex_);
    action_ = std::move(action);
    since_ = std::chrono::steady_clock::now();
    running_ = true;
}

void Watchdog::Finished() {
    std::lock_guard lock(mutex_);
    running_ = false;
}

void Watchdog::Watch() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, std::chrono::milliseconds(100));
        if (!running_ || std::chrono::steady_clock::now() - since_ < bound_) continue;
        std::fprintf(stderr, "FAIL: hang: action \"%s\" did not return within %lld ms\n",
                     action_.c_str(), static_cast<long long>(bound_.count()));
        std::fflush(stderr);
        std::_Exit(3);
    }
}
