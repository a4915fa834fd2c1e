#include "logic/SimpleThread.h"

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

void SimpleThread::AddRunnable(std::unique_ptr<BaseRunable> item) {
    if (!item) return;
    std::lock_guard lock(queueLock_);
    runQueue_.push_back(std::move(item));
}

void SimpleThread::AddTimedRunnable(std::unique_ptr<BaseRunable> item) {
    if (!item) return;
    std::lock_guard lock(queueLock_);
    timedQueue_.push_back(std::move(item));
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
void SimpleThread::Invoke(const CallbackSlot& slot) {
    if (slot) slot->Invoke(this, owner_.load());
}

void SimpleThread::TimerPass() {
    std::lock_guard lock(queueLock_);
    for (auto it = timedQueue_.begin(); it != timedQueue_.end();) {
        BaseRunable& timed = **it;
        bool exclusive = timed.exclusive;
        bool removed = false;
        if (timed.startTick == 0) timed.startTick = TickCount();
        if (TickCount() - timed.startTick >= timed.interval) {
            timed.startTick = 0;
            if (timed.repeat != 0 && timed.repeat != -1) --timed.repeat;
            if (BaseRunable* work = timed.MakeRunnable()) runQueue_.emplace_back(work);
            if (timed.repeat == 0) {
                it = timedQueue_.erase(it);
                removed = true;
            }
        }
        if (exclusive) break;
        if (!removed) ++it;
    }
}

void SimpleThread::TimerLoop(uint64_t id) {
    while (timerId_.load() == id) {
        TimerPass();
        SleepMs(1);
    }
}

std::unique_ptr<BaseRunable> SimpleThread::PopRunnable() {
    std::lock_guard lock(queueLock_);
    if (runQueue_.empty()) return nullptr;
    auto item = std::move(runQueue_.front());
    runQueue_.pop_front();
    return item;
}

void SimpleThread::WorkerLoop(uint64_t id) {
    Invoke(TakeSlot(startCallback_));
    while (workerId_.load() == id) {
        if (auto item = PopRunnable()) {
            if (item->IsReady()) item->Run(item->arg1, item->arg2, item->buffer(), item->size());
        }
        if (auto loop = TakeSlot(loopCallback_)) {
            Invoke(loop);
        } else {
            SleepMs(1);
        }
    }
    Invoke(TakeSlot(exitCallback_));
}
