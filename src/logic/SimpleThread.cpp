#include "logic/SimpleThread.h"

#include <algorithm>
#include <system_error>

#include "logic/TickClock.h"

namespace {

// Ids are never reused, so a thread whose id was cleared cannot be mistaken for a newer one.
uint64_t NextThreadId() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1);
}

// Ends a thread object without waiting on the calling thread itself.
void JoinUnlessSelf(std::thread& thread) {
    if (!thread.joinable()) return;
    if (thread.get_id() == std::this_thread::get_id()) {
        thread.detach();
    } else {
        thread.join();
    }
}

// The id is recorded before the thread is created and handed to it, so its first check
// already sees its own id.
bool Launch(std::atomic<uint64_t>& recordedId, std::thread& thread,
            void (SimpleThread::*loop)(uint64_t), SimpleThread* self) {
    uint64_t id = NextThreadId();
    recordedId.store(id);
    try {
        thread = std::thread(loop, self, id);
    } catch (const std::system_error&) {
        recordedId.store(0);
        return false;
    }
    return true;
}

// A walk of the timed queue never follows the previous one sooner than this, so a runnable
// with interval 0 fires once per millisecond, not in a busy loop.
constexpr uint32_t kTimerPassMs = 1;

// Milliseconds until a timed runnable is due; 0 when its interval starts at the next walk.
uint32_t MsUntilDue(const BaseRunable& timed) {
    if (timed.startTick == 0) return 0;
    uint32_t elapsed = TickCount() - timed.startTick;
    return elapsed >= timed.interval ? 0 : timed.interval - elapsed;
}

}  // namespace

SimpleThread::SimpleThread() = default;

SimpleThread::~SimpleThread() {
    Stop();
    std::lock_guard lock(queueLock_);
    loopCallback_.reset();
    startCallback_.reset();
    exitCallback_.reset();
}

bool SimpleThread::Start(void* owner) {
    std::lock_guard control(controlLock_);
    owner_.store(owner);
    bool failed = false;
    if (timerId_.load() == 0) {
        JoinUnlessSelf(timer_);
        failed |= !Launch(timerId_, timer_, &SimpleThread::TimerLoop, this);
    }
    if (workerId_.load() == 0) {
        JoinUnlessSelf(worker_);
        stopEvent_.Reset();
        failed |= !Launch(workerId_, worker_, &SimpleThread::WorkerLoop, this);
    }
    return failed;
}

void SimpleThread::Stop() {
    {
        std::lock_guard control(controlLock_);
        timerId_.store(0);
        workerId_.store(0);
        stopEvent_.Set();
        WakeBothThreads();
        JoinUnlessSelf(timer_);
        JoinUnlessSelf(worker_);
    }
    ClearQueues();
}

void SimpleThread::ClearQueues() {
    std::list<std::unique_ptr<BaseRunable>> timed, run;
    {
        std::lock_guard lock(queueLock_);
        timed.swap(timedQueue_);
        run.swap(runQueue_);
    }
    // Destroyed outside the lock: a runnable's destructor may be arbitrary code.
    timed.clear();
    run.clear();
}

// The stop is recorded before the queue lock is taken, and a waiting thread checks it under
// that lock, so the notification cannot fall between its check and its wait.
void SimpleThread::WakeBothThreads() {
    std::lock_guard lock(queueLock_);
    workChanged_.notify_all();
    timedChanged_.notify_all();
}

void SimpleThread::AddRunnable(std::unique_ptr<BaseRunable> item) {
    if (!item) return;
    std::lock_guard lock(queueLock_);
    runQueue_.push_back(std::move(item));
    workChanged_.notify_all();
}

void SimpleThread::AddTimedRunnable(std::unique_ptr<BaseRunable> item) {
    if (!item) return;
    std::lock_guard lock(queueLock_);
    timedQueue_.push_back(std::move(item));
    timedAdded_ = true;
    timedChanged_.notify_all();
}

void SimpleThread::Wake() {
    std::lock_guard lock(queueLock_);
    wakeRequested_ = true;
    workChanged_.notify_all();
}

size_t SimpleThread::RunQueueLength() const {
    std::lock_guard lock(queueLock_);
    return runQueue_.size();
}

size_t SimpleThread::TimedQueueLength() const {
    std::lock_guard lock(queueLock_);
    return timedQueue_.size();
}

SimpleThread::CallbackSlot SimpleThread::TakeSlot(const CallbackSlot& slot) const {
    std::lock_guard lock(queueLock_);
    return slot;
}

// The callback is held by a shared copy while it runs, so replacing it meanwhile is safe.
int SimpleThread::Invoke(const CallbackSlot& slot) {
    return slot ? slot->Invoke(this, owner_.load()) : kWaitForWork;
}

std::optional<std::chrono::milliseconds> SimpleThread::TimerPass() {
    std::optional<uint32_t> soonest;
    bool queuedWork = false;
    for (auto it = timedQueue_.begin(); it != timedQueue_.end();) {
        BaseRunable& timed = **it;
        bool exclusive = timed.exclusive;
        bool removed = false;
        if (timed.startTick == 0) timed.startTick = TickCount();
        if (TickCount() - timed.startTick >= timed.interval) {
            timed.startTick = 0;
            if (timed.repeat != 0 && timed.repeat != -1) --timed.repeat;
            if (BaseRunable* work = timed.MakeRunnable()) {
                runQueue_.emplace_back(work);
                queuedWork = true;
            }
            if (timed.repeat == 0) {
                it = timedQueue_.erase(it);
                removed = true;
            }
        }
        if (!removed) soonest = std::min(soonest.value_or(UINT32_MAX), MsUntilDue(timed));
        if (exclusive) {
            // The ones it held back start their intervals at the next walk.
            if (removed && it != timedQueue_.end()) soonest = 0;
            break;
        }
        if (!removed) ++it;
    }
    if (queuedWork) workChanged_.notify_all();
    if (!soonest) return std::nullopt;
    return std::chrono::milliseconds(std::max(*soonest, kTimerPassMs));
}

void SimpleThread::TimerLoop(uint64_t id) {
    std::unique_lock lock(queueLock_);
    auto woken = [&] { return timedAdded_ || timerId_.load() != id; };
    while (timerId_.load() == id) {
        // Cleared before the walk: a runnable added during it (by MakeRunnable) earns another.
        timedAdded_ = false;
        if (auto sleep = TimerPass()) {
            timedChanged_.wait_for(lock, *sleep, woken);
        } else {
            timedChanged_.wait(lock, woken);
        }
    }
}

std::unique_ptr<BaseRunable> SimpleThread::PopRunnable() {
    std::lock_guard lock(queueLock_);
    if (runQueue_.empty()) return nullptr;
    auto item = std::move(runQueue_.front());
    runQueue_.pop_front();
    return item;
}

void SimpleThread::WaitForWork(uint64_t id, int limitMs) {
    std::unique_lock lock(queueLock_);
    auto ready = [&] { return !runQueue_.empty() || wakeRequested_ || workerId_.load() != id; };
    if (limitMs > 0) {
        workChanged_.wait_for(lock, std::chrono::milliseconds(limitMs), ready);
    } else {
        workChanged_.wait(lock, ready);
    }
    wakeRequested_ = false;
}

void SimpleThread::WorkerLoop(uint64_t id) {
    {
        std::lock_guard lock(userLock_);
        idlePassMark_ = {};
    }
    Invoke(TakeSlot(startCallback_));
    while (workerId_.load() == id) {
        if (auto item = PopRunnable()) {
            if (item->IsReady()) item->Run(item->arg1, item->arg2, item->buffer(), item->size());
        }
        int next = Invoke(TakeSlot(loopCallback_));
        if (next != kLoopAgain) WaitForWork(id, next);
    }
    Invoke(TakeSlot(exitCallback_));
}
