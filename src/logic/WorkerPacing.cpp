#include "logic/WorkerPacing.h"

#include <mutex>

#include "logic/SimpleThread.h"

void CountIdlePasses(SimpleThread& thread, std::chrono::milliseconds pace,
                     std::chrono::steady_clock::time_point now) {
    std::lock_guard lock(thread.userLock());
    int& passes = thread.idlePasses();
    auto& mark = thread.idlePassMark();
    if (thread.TimedQueueLength() != 0) {
        passes = 0;
        mark = now;
        return;
    }
    // A worker's first count only starts the clock: the time before it was no pass.
    if (mark == std::chrono::steady_clock::time_point{} || now <= mark || pace.count() <= 0) {
        mark = now;
        return;
    }
    const auto whole = (now - mark) / pace;
    passes = static_cast<int>((passes + whole % kIdlePassWrap) % kIdlePassWrap);
    mark += whole * pace;
}
