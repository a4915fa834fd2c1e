#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "logic/SimpleThread.h"
#include "logic/WorkerPacing.h"
#include "support/ProcessActivity.h"
#include "support/WaitUntil.h"

namespace {

using namespace std::chrono_literals;

struct RunLog {
    std::mutex lock;
    std::string order;
    std::atomic<int> runs{0};
    std::atomic<int> destroyed{0};
    int lastArg1 = 0, lastArg2 = 0, lastSize = 0;
    std::string lastBuffer;

    void Note(char c) {
        std::lock_guard guard(lock);
        order += c;
    }
    std::string Order() {
        std::lock_guard guard(lock);
        return order;
    }
};

class LoggingRunable : public BaseRunable {
public:
    LoggingRunable(RunLog& log, char tag, bool ready = true)
        : log_(log), tag_(tag), ready_(ready) {}
    ~LoggingRunable() override { ++log_.destroyed; }
    bool IsReady() override { return ready_; }
    BaseRunable* MakeRunnable() override {
        log_.Note(tag_);
        return new LoggingRunable(log_, tag_);
    }
    void Run(int arg1, int arg2, void* buffer, int size) override {
        {
            std::lock_guard guard(log_.lock);
            log_.lastArg1 = arg1;
            log_.lastArg2 = arg2;
            log_.lastSize = size;
            log_.lastBuffer.assign(static_cast<const char*>(buffer), static_cast<size_t>(size));
        }
        ++log_.runs;
    }

private:
    RunLog& log_;
    char tag_;
    bool ready_;
};

std::unique_ptr<BaseRunable> Timed(RunLog& log, char tag, unsigned interval, int repeat,
                                   bool exclusive = false) {
    auto item = std::make_unique<LoggingRunable>(log, tag);
    item->interval = interval;
    item->repeat = repeat;
    item->exclusive = exclusive;
    return item;
}

struct CallbackCounter {
    std::atomic<int> starts{0}, exits{0}, loops{0};
    std::atomic<void*> seenOwner{nullptr};
    std::atomic<SimpleThread*> seenThread{nullptr};
    std::chrono::milliseconds pace{60s};

    int OnStart(SimpleThread*, void*) { return ++starts; }
    int OnExit(SimpleThread*, void*) { return ++exits; }
    int OnLoop(SimpleThread* thread, void* owner) {
        seenThread = thread;
        seenOwner = owner;
        ++loops;
        std::this_thread::sleep_for(1ms);
        return 0;
    }
    int OnLongWait(SimpleThread* thread, void*) {
        ++loops;
        thread->stopEvent().WaitFor(pace);
        return 0;
    }
    // Counts the pass and asks for the next one only when there is work.
    int OnIdle(SimpleThread*, void*) {
        ++loops;
        return SimpleThread::kWaitForWork;
    }
    // Counts the pass and asks for the next one within 1 ms.
    int OnShortWait(SimpleThread*, void*) {
        ++loops;
        return 1;
    }
};

// Far above the few wake-ups of sleeping threads, far below the thousand a second of a thread
// that polls every millisecond.
constexpr double kIdleWakeupsPerSecond = 100;

TEST(SimpleThread, StartTwiceStartsEachThreadOnce) {
    SimpleThread thread;
    CallbackCounter counter;
    thread.SetStartCallback(&counter, &CallbackCounter::OnStart);
    thread.SetExitCallback(&counter, &CallbackCounter::OnExit);
    EXPECT_FALSE(thread.Start(&counter));
    EXPECT_FALSE(thread.Start(&counter));
    ASSERT_TRUE(WaitUntil([&] { return counter.starts.load() >= 1; }));
    EXPECT_TRUE(thread.IsWorkerRunning());
    EXPECT_TRUE(thread.IsTimerRunning());
    thread.Stop();
    EXPECT_EQ(counter.starts.load(), 1);
    EXPECT_EQ(counter.exits.load(), 1);
    EXPECT_FALSE(thread.IsWorkerRunning());
    EXPECT_FALSE(thread.IsTimerRunning());
}

TEST(SimpleThread, StopRightAfterStartEndsBothThreadsAndRepeatsHarmlessly) {
    SimpleThread thread;
    CallbackCounter counter;
    thread.SetExitCallback(&counter, &CallbackCounter::OnExit);
    for (int round = 0; round < 20; ++round) {
        ASSERT_FALSE(thread.Start(nullptr));
        thread.Stop();
        thread.Stop();
    }
    // The worker always ran its whole life, however early Stop came.
    EXPECT_EQ(counter.exits.load(), 20);
    EXPECT_TRUE(thread.stopEvent().IsSet());
}

TEST(SimpleThread, LoopCallbackGetsThreadAndOwnerAndCanBeReplacedWhileRunning) {
    SimpleThread thread;
    CallbackCounter first, second;
    int owner = 0;
    thread.SetLoopCallback(&first, &CallbackCounter::OnLoop);
    ASSERT_FALSE(thread.Start(&owner));
    ASSERT_TRUE(WaitUntil([&] { return first.loops.load() >= 3; }));
    EXPECT_EQ(first.seenThread.load(), &thread);
    EXPECT_EQ(first.seenOwner.load(), &owner);
    thread.SetLoopCallback(&second, &CallbackCounter::OnLoop);
    ASSERT_TRUE(WaitUntil([&] { return second.loops.load() >= 3; }));
    int firstLoops = first.loops.load();
    ASSERT_TRUE(WaitUntil([&] { return second.loops.load() >= 6; }));
    EXPECT_EQ(first.loops.load(), firstLoops);
    thread.Stop();
}

TEST(SimpleThread, StopEndsALoopCallbackWaitingOnTheStopEvent) {
    SimpleThread thread;
    CallbackCounter counter;  // waits 60 s per pass unless stopped
    thread.SetLoopCallback(&counter, &CallbackCounter::OnLongWait);
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return counter.loops.load() >= 1; }));
    thread.Stop();
    EXPECT_FALSE(thread.IsWorkerRunning());
    // A restart resets the event, so the new worker waits again instead of spinning.
    ASSERT_FALSE(thread.Start(nullptr));
    EXPECT_FALSE(thread.stopEvent().IsSet());
    thread.Stop();
}

TEST(SimpleThread, RunQueueRunsReadyItemsWithTheirArgumentsAndDestroysAll) {
    RunLog log;
    SimpleThread thread;
    auto skipped = std::make_unique<LoggingRunable>(log, 's', false);
    auto item = std::make_unique<LoggingRunable>(log, 'r');
    item->arg1 = 7;
    item->arg2 = -3;
    item->SetBuffer("abc", 3);
    thread.AddRunnable(std::move(skipped));
    thread.AddRunnable(std::move(item));
    EXPECT_EQ(thread.RunQueueLength(), 2u);
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return log.destroyed.load() == 2; }));
    thread.Stop();
    EXPECT_EQ(log.runs.load(), 1);
    EXPECT_EQ(log.lastArg1, 7);
    EXPECT_EQ(log.lastArg2, -3);
    EXPECT_EQ(log.lastSize, 3);
    EXPECT_EQ(log.lastBuffer, "abc");
}

TEST(SimpleThread, TimedRunnableWithRepeatThreeFiresThreeTimesThenLeaves) {
    RunLog log;
    SimpleThread thread;
    thread.AddTimedRunnable(Timed(log, 'a', 1, 3));
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return thread.TimedQueueLength() == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return log.runs.load() == 3; }));
    thread.Stop();
    EXPECT_EQ(log.Order(), "aaa");
    EXPECT_EQ(log.runs.load(), 3);
}

TEST(SimpleThread, RepeatZeroAndOneFireOnceAndEndlessKeepsFiring) {
    RunLog log;
    SimpleThread thread;
    thread.AddTimedRunnable(Timed(log, 'z', 0, 0));
    thread.AddTimedRunnable(Timed(log, 'o', 0, 1));
    thread.AddTimedRunnable(Timed(log, 'e', 0, -1));
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] {
        std::string order = log.Order();
        return std::count(order.begin(), order.end(), 'e') >= 10;
    }));
    EXPECT_EQ(thread.TimedQueueLength(), 1u);
    thread.Stop();
    std::string order = log.Order();
    EXPECT_EQ(std::count(order.begin(), order.end(), 'z'), 1);
    EXPECT_EQ(std::count(order.begin(), order.end(), 'o'), 1);
    // Interval 0 fires on every pass: the endless one fired in the first pass too.
    EXPECT_EQ(order.substr(0, 3), "zoe");
}

TEST(SimpleThread, ExclusiveRunnableHoldsBackTheOnesBehindIt) {
    RunLog log;
    SimpleThread thread;
    thread.AddTimedRunnable(Timed(log, 'x', 0, 4, true));
    thread.AddTimedRunnable(Timed(log, 'b', 0, 0));
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return thread.TimedQueueLength() == 0; }));
    thread.Stop();
    EXPECT_EQ(log.Order(), "xxxxb");
}

TEST(SimpleThread, StopDestroysQueuedRunnables) {
    RunLog log;
    {
        SimpleThread thread;
        thread.AddTimedRunnable(Timed(log, 'l', 3600 * 1000, -1));
        thread.AddRunnable(std::make_unique<LoggingRunable>(log, 'n', false));
        thread.Stop();
        EXPECT_EQ(thread.TimedQueueLength(), 0u);
        EXPECT_EQ(thread.RunQueueLength(), 0u);
        EXPECT_EQ(log.destroyed.load(), 2);
        thread.AddRunnable(std::make_unique<LoggingRunable>(log, 'd', false));
    }
    EXPECT_EQ(log.destroyed.load(), 3);
}

TEST(WorkerPacing, IdlePassesCountToTheWrapAndResetWithTimedWork) {
    SimpleThread thread;
    const auto start = std::chrono::steady_clock::now();
    CountIdlePasses(thread, 10ms, start);  // starts the clock
    EXPECT_EQ(thread.idlePasses(), 0);
    // Elapsed time since the start, and the count it gives; the count is kept between calls.
    const struct {
        std::chrono::milliseconds elapsed;
        int passes;
    } steps[] = {{9ms, 0},      {10ms, 1},   {25ms, 2},   {39ms, 3},  {2990ms, 299},
                 {2999ms, 299}, {3000ms, 0}, {3010ms, 1}, {6015ms, 1}};
    for (const auto& step : steps) {
        CountIdlePasses(thread, 10ms, start + step.elapsed);
        EXPECT_EQ(thread.idlePasses(), step.passes) << "after " << step.elapsed.count() << " ms";
    }

    RunLog log;
    thread.AddTimedRunnable(Timed(log, 't', 1000, -1));
    CountIdlePasses(thread, 10ms, start + 7000ms);
    EXPECT_EQ(thread.idlePasses(), 0);
    // The count starts again when the timed queue empties.
    thread.ClearQueues();
    CountIdlePasses(thread, 10ms, start + 7035ms);
    EXPECT_EQ(thread.idlePasses(), 3);
}

TEST(SimpleThread, IdleWorkerPassesAgainOnlyForARunnableAWakeOrStop) {
    RunLog log;
    SimpleThread thread;
    CallbackCounter counter;
    thread.SetLoopCallback(&counter, &CallbackCounter::OnIdle);
    thread.SetExitCallback(&counter, &CallbackCounter::OnExit);
    ASSERT_FALSE(thread.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return counter.loops.load() == 1; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(counter.loops.load(), 1);

    thread.AddRunnable(std::make_unique<LoggingRunable>(log, 'r'));
    ASSERT_TRUE(WaitUntil([&] { return counter.loops.load() == 2; }));
    EXPECT_EQ(log.runs.load(), 1);
    thread.Wake();
    ASSERT_TRUE(WaitUntil([&] { return counter.loops.load() == 3; }));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(counter.loops.load(), 3);
    thread.Stop();
    EXPECT_EQ(counter.exits.load(), 1);
}

TEST(SimpleThread, LoopCallbackWithATimeLimitPassesAgainWithoutWork) {
    SimpleThread thread;
    CallbackCounter counter;
    thread.SetLoopCallback(&counter, &CallbackCounter::OnShortWait);
    ASSERT_FALSE(thread.Start(nullptr));
    EXPECT_TRUE(WaitUntil([&] { return counter.loops.load() >= 5; }));
    thread.Stop();
}

// Notes when the timer made its work; it makes none.
class StampingRunable : public BaseRunable {
public:
    explicit StampingRunable(std::atomic<std::chrono::steady_clock::time_point>& firedAt)
        : firedAt_(firedAt) {}
    bool IsReady() override { return false; }
    BaseRunable* MakeRunnable() override {
        firedAt_ = std::chrono::steady_clock::now();
        return nullptr;
    }
    void Run(int, int, void*, int) override {}

private:
    std::atomic<std::chrono::steady_clock::time_point>& firedAt_;
};

TEST(SimpleThread, TimedRunnableNeverFiresBeforeItsInterval) {
    SimpleThread thread;
    ASSERT_FALSE(thread.Start(nullptr));
    for (unsigned interval : {0u, 25u, 60u}) {
        std::atomic<std::chrono::steady_clock::time_point> firedAt{};
        auto item = std::make_unique<StampingRunable>(firedAt);
        item->interval = interval;
        item->repeat = 1;
        const auto added = std::chrono::steady_clock::now();
        thread.AddTimedRunnable(std::move(item));
        ASSERT_TRUE(WaitUntil([&] { return thread.TimedQueueLength() == 0; }));
        // The tick counter counts whole milliseconds, so the start may be up to 1 ms early.
        EXPECT_GE(firedAt.load() - added, std::chrono::milliseconds(interval) - 1ms)
            << "interval " << interval;
    }
    thread.Stop();
}

TEST(SimpleThread, TimerWakesForARunnableAddedWhileItSleeps) {
    RunLog log;
    SimpleThread thread;
    // Nothing due for an hour: the timer thread sleeps until something changes.
    thread.AddTimedRunnable(Timed(log, 'h', 3600 * 1000, -1));
    ASSERT_FALSE(thread.Start(nullptr));
    std::this_thread::sleep_for(20ms);
    thread.AddTimedRunnable(Timed(log, 'n', 0, 1));
    ASSERT_TRUE(WaitUntil([&] { return log.runs.load() == 1; }, 5s));
    EXPECT_EQ(log.Order(), "n");
    thread.Stop();
}

TEST(SimpleThread, RunningThreadsWithNothingDueDoNotWake) {
    RunLog log;
    CallbackCounter counter;
    SimpleThread withoutCallback, withIdleCallback;
    withoutCallback.AddTimedRunnable(Timed(log, 'h', 3600 * 1000, -1));
    withIdleCallback.SetLoopCallback(&counter, &CallbackCounter::OnIdle);
    ASSERT_FALSE(withoutCallback.Start(nullptr));
    ASSERT_FALSE(withIdleCallback.Start(nullptr));
    ASSERT_TRUE(WaitUntil([&] { return counter.loops.load() >= 1; }));
    std::this_thread::sleep_for(20ms);  // the first timer walks are over
    ActivityRate rate = RateWhileSleeping(500ms);
    EXPECT_LT(rate.wakeupsPerSecond, kIdleWakeupsPerSecond) << Describe(rate);
    EXPECT_EQ(log.runs.load(), 0);
    withoutCallback.Stop();
    withIdleCallback.Stop();
}

TEST(ManualResetEvent, StaysSignalledUntilReset) {
    ManualResetEvent event;
    EXPECT_FALSE(event.WaitFor(0ms));
    std::thread setter([&] { event.Set(); });
    event.Wait();
    setter.join();
    EXPECT_TRUE(event.WaitFor(0ms));
    EXPECT_TRUE(event.WaitFor(0ms));
    event.Reset();
    EXPECT_FALSE(event.IsSet());
}

}  // namespace
