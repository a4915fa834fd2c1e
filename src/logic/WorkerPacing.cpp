#include "logic/WorkerPacing.h"

#include <mutex>
#include <thread>

#include "logic/SimpleThread.h"

void PaceIdlePass(SimpleThread& thread, std::chrono::milliseconds pace) {
    std::lock_guard lock(thread.userLock());
    int& passes = thread.idlePasses();
    if (thread.TimedQueueLength() == 0) {
        std::this_thread::sleep_for(pace);
        passes = (passes + 1) % kIdlePassWrap;
    } else {
        passes = 0;
    }
}

void PaceUntilStopped(SimpleThread& thread, std::chrono::milliseconds pace) {
    thread.stopEvent().WaitFor(pace);
}
