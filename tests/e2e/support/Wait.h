#pragma once
// Waiting for what a user would wait for: a window, a change on screen, a file. Never a fixed
// sleep; the deadline only bounds a wait that should end much sooner.
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <functional>

namespace e2e {

using Deadline = std::chrono::milliseconds;
inline constexpr Deadline kUsualWait{15000};

// Polls `condition` until it holds or `limit` passes; true when it held.
inline bool WaitUntil(const std::function<bool()>& condition, Deadline limit = kUsualWait) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        QCoreApplication::processEvents();
        QThread::msleep(40);
    }
}

}  // namespace e2e
