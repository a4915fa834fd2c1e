#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "logic/BaseRunable.h"
#include "logic/ManualResetEvent.h"

// A timer thread that turns due timed runnables into work items, and a worker thread that runs
// the work items and calls the owner's loop callback after every pass. Neither polls: the timer
// thread sleeps until the next timed runnable is due, the worker until there is work.
class SimpleThread {
public:
    // What a loop callback returns: when the worker should pass again if no work arrives.
    static constexpr int kLoopAgain = 0;     // at once: the callback paces itself
    static constexpr int kWaitForWork = -1;  // only for a runnable, Wake or Stop
    // Any positive value: after that many milliseconds at the latest.

    class ICallback {
    public:
        virtual ~ICallback() = default;
        virtual int Invoke(SimpleThread* thread, void* owner) = 0;
    };

    template <class Object>
    class Callback : public ICallback {
    public:
        using Method = int (Object::*)(SimpleThread*, void*);
        Callback(Object* object, Method method) : object_(object), method_(method) {}
        int Invoke(SimpleThread* thread, void* owner) override {
            return (object_->*method_)(thread, owner);
        }

    private:
        Object* object_;
        Method method_;
    };

    SimpleThread();
    SimpleThread(const SimpleThread&) = delete;
    SimpleThread& operator=(const SimpleThread&) = delete;
    ~SimpleThread();

    // Returns true when a thread could not be created (false is success).
    bool Start(void* owner);
    // Must not be called from one of this object's own threads.
    void Stop();
    void ClearQueues();

    template <class Object>
    void SetLoopCallback(Object* object, typename Callback<Object>::Method method) {
        InstallCallback(loopCallback_, object, method);
    }
    template <class Object>
    void SetStartCallback(Object* object, typename Callback<Object>::Method method) {
        InstallCallback(startCallback_, object, method);
    }
    template <class Object>
    void SetExitCallback(Object* object, typename Callback<Object>::Method method) {
        InstallCallback(exitCallback_, object, method);
    }

    // Both take ownership and the queue lock.
    void AddRunnable(std::unique_ptr<BaseRunable> item);
    void AddTimedRunnable(std::unique_ptr<BaseRunable> item);
    size_t RunQueueLength() const;
    size_t TimedQueueLength() const;
    // Gives the worker another pass: for an owner whose loop callback has something to do.
    void Wake();

    bool IsWorkerRunning() const { return workerId_.load() != 0; }
    bool IsTimerRunning() const { return timerId_.load() != 0; }

    // For the loop callback's own use.
    std::mutex& userLock() { return userLock_; }
    int& idlePasses() { return idlePasses_; }
    // When the idle passes were last counted; unset whenever the worker starts.
    std::chrono::steady_clock::time_point& idlePassMark() { return idlePassMark_; }
    ManualResetEvent& stopEvent() { return stopEvent_; }
    void* owner() const { return owner_.load(); }

private:
    using CallbackSlot = std::shared_ptr<ICallback>;

    template <class Object>
    void InstallCallback(CallbackSlot& slot, Object* object,
                         typename Callback<Object>::Method method) {
        CallbackSlot fresh;
        if (method != nullptr) fresh = std::make_shared<Callback<Object>>(object, method);
        std::lock_guard lock(queueLock_);
        slot = std::move(fresh);
    }

    CallbackSlot TakeSlot(const CallbackSlot& slot) const;
    // The callback's result; kWaitForWork for an empty slot.
    int Invoke(const CallbackSlot& slot);
    void TimerLoop(uint64_t id);
    void WorkerLoop(uint64_t id);
    // One walk of the timed queue, with the queue lock held; returns how long the timer thread
    // may sleep before the next walk, or nothing while no timed runnable waits.
    std::optional<std::chrono::milliseconds> TimerPass();
    void WaitForWork(uint64_t id, int limitMs);
    void WakeBothThreads();
    std::unique_ptr<BaseRunable> PopRunnable();

    int idlePasses_ = 0;
    std::chrono::steady_clock::time_point idlePassMark_;
    std::atomic<void*> owner_{nullptr};
    std::mutex userLock_;
    mutable std::recursive_mutex
        queueLock_;           // recursive: a runnable may queue work from MakeRunnable
    std::mutex controlLock_;  // serialises Start and Stop
    std::atomic<uint64_t> workerId_{0};
    std::thread worker_;
    CallbackSlot loopCallback_;
    CallbackSlot startCallback_;
    CallbackSlot exitCallback_;
    std::list<std::unique_ptr<BaseRunable>> runQueue_;
    ManualResetEvent stopEvent_;
    std::atomic<uint64_t> timerId_{0};
    std::thread timer_;
    std::list<std::unique_ptr<BaseRunable>> timedQueue_;
    // Both wait with the queue lock, which guards the two flags.
    std::condition_variable_any workChanged_;   // run queue filled, Wake or Stop
    std::condition_variable_any timedChanged_;  // timed runnable added or Stop
    bool wakeRequested_ = false;
    bool timedAdded_ = false;
};
