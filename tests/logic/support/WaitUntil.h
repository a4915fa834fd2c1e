#pragma once

#include <chrono>
#include <thread>

// Polls `done` until it holds; false after a generous deadline, so a broken test fails
// instead of hanging.
template <class Predicate>
bool WaitUntil(Predicate done, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}
