// Delivery across threads: bursts, hooks that publish, window threads, and members that come
// and go while a change is on its way.
#include <gtest/gtest.h>

#include <cstdint>

#include <atomic>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "Gate.h"
#include "HookLog.h"
#include "store/Shape.h"

namespace {

using Named = ShapeType<int, -1, 1, 0>;
using namespace std::chrono_literals;

// Destroys `shape` on another thread while its hook is held at `mayReturn`: the destruction
// must wait for the hook to return.
void expectDestructionWaitsForHook(std::unique_ptr<Named>& shape, Gate& mayReturn) {
    std::atomic<bool> destroyed{false};
    std::thread destroyer([&] {
        shape.reset();
        destroyed = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(destroyed) << "the member was destroyed while its hook ran";
    mayReturn.open();
    destroyer.join();
    EXPECT_TRUE(destroyed);
}

TEST(ShapeBurst, ChangesFromSeveralThreadsArriveOnceAndInOrder) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 400;
    HookLog log;
    Named listener("delivery.burst");
    log.watch(listener, "L");
    std::vector<std::unique_ptr<Named>> publishers;
    for (int t = 0; t < kThreads; ++t) {
        publishers.push_back(std::make_unique<Named>("delivery.burst"));
        publishers.back()->hold() = 1;  // only their own threads write them
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 1; i <= kPerThread; ++i) {
                publishers[t]->set((t + 1) * 100000 + i, t, false, false);
                // Pauses let the dispatcher run dry and end, so later changes start a new one.
                if (i % 50 == 0) std::this_thread::sleep_for(2ms);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    std::map<int, std::vector<int>> byThread;
    for (const HookLog::Call& call : log.calls()) byThread[call.arg].push_back(call.values[0]);
    ASSERT_EQ(byThread.size(), static_cast<std::size_t>(kThreads));
    for (auto& [t, seen] : byThread) {
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(kPerThread)) << "thread " << t;
        for (int i = 0; i < kPerThread; ++i) ASSERT_EQ(seen[i], (t + 1) * 100000 + i + 1);
    }
}

TEST(ShapeBurst, ChangeAfterDispatcherEndedIsDelivered) {
    HookLog log;
    Named a("delivery.restart");
    Named b("delivery.restart");
    log.watch(b, "B");
    for (int round = 1; round <= 20; ++round) {
        a.set(round, 0, false, false);
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        ASSERT_EQ(b.current(), round);
    }
    EXPECT_EQ(log.calls().size(), 20u);
}

// Two members that answer each other's changes from inside their hooks.
class PingPong {
public:
    PingPong() {
        x_.bind(this, &PingPong::onX);
        y_.bind(this, &PingPong::onY);
    }
    void start() { x_.set(2, 0, false, false); }
    Named x_{"delivery.ping.pong"};
    Named y_{"delivery.ping.pong"};
    std::vector<int> xHeard, yHeard;

private:
    void onX(int, const int* data, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        xHeard.push_back(*data);
        if (*data < 100) x_.set(*data + 1, 0, false, false);
    }
    void onY(int, const int* data, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        yHeard.push_back(*data);
        if (*data < 100) y_.set(*data + 1, 0, false, false);
    }
};

TEST(ShapeHooks, HooksThatPublishKeepTheOrder) {
    PingPong game;
    game.start();
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    ASSERT_EQ(game.yHeard.size(), 50u);
    ASSERT_EQ(game.xHeard.size(), 49u);
    for (std::size_t i = 0; i < game.yHeard.size(); ++i) EXPECT_EQ(game.yHeard[i], int(2 + 2 * i));
    for (std::size_t i = 0; i < game.xHeard.size(); ++i) EXPECT_EQ(game.xHeard[i], int(3 + 2 * i));
    EXPECT_EQ(game.x_.current(), 100);
    EXPECT_EQ(game.y_.current(), 100);
}

TEST(ShapeHooks, WaitIdleFromHookRefusesInsteadOfHanging) {
    Named a("delivery.wait.in.hook");
    Named b("delivery.wait.in.hook");
    std::atomic<int> answer{-1};
    b.bind(&b, [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        answer = ShapeDispatcher::waitIdle(1s) ? 1 : 0;
    });
    a.set(1, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(answer, 0);
}

class WindowDelivery : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ShapeWindowThread::installPoster(); }
    HookLog log;
    ShapeWindowThread window;
    int owner = 0;
};

TEST_F(WindowDelivery, HookRunsOnWindowThreadAfterCurrentHandlerReturns) {
    Named a("delivery.window.after");
    Named b("delivery.window.after");
    log.watch(b, "B", &owner);
    ShapeBase::attachWindow(&owner, window.handle());
    std::thread::id windowThread;
    window.post([&] {
        windowThread = std::this_thread::get_id();
        a.set(7, 0, false, false);
        // The change reaches this window while this handler still runs.
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        log.note("handler end");
    });
    window.flush();  // the handler has run, and the change is queued behind it
    window.flush();
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"handler end", "B"}));
    ASSERT_EQ(log.calls().size(), 2u);
    EXPECT_EQ(log.calls()[1].thread, windowThread);
    EXPECT_EQ(b.current(), 7);
}

TEST_F(WindowDelivery, ChangeForDestroyedTargetIsDropped) {
    Named a("delivery.window.gone");
    auto b = std::make_unique<Named>("delivery.window.gone");
    log.watch(*b, "B", &owner);
    ShapeBase::attachWindow(&owner, window.handle());
    Gate handlerMayEnd;
    window.post([&] { handlerMayEnd.wait(); });
    a.set(7, 0, false, false);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    b.reset();
    handlerMayEnd.open();
    window.flush();
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(WindowDelivery, TargetDestroyedWhileWindowAppliesWaitsForTheHook) {
    Named a("delivery.window.busy");
    auto b = std::make_unique<Named>("delivery.window.busy");
    Gate entered, mayReturn;
    std::atomic<bool> hookReturned{false};
    b->bind(&owner, [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        entered.open();
        mayReturn.wait();
        hookReturned = true;
    });
    ShapeBase::attachWindow(&owner, window.handle());
    a.set(1, 0, false, false);
    ASSERT_TRUE(entered.wait());
    expectDestructionWaitsForHook(b, mayReturn);
    EXPECT_TRUE(hookReturned);
}

// A: publisher; B: its hook is held at a gate; C: after B in the group.
class DestroyDuringWalk : public ::testing::Test {
protected:
    void SetUp() override {
        b->bind(b.get(), [this](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
            entered.open();
            mayReturn.wait();
            log.note("B");
        });
        log.watch(*c, "C");
    }
    HookLog log;
    Gate entered, mayReturn;
    Named a{"delivery.destroy.walk"};
    std::unique_ptr<Named> b = std::make_unique<Named>("delivery.destroy.walk");
    std::unique_ptr<Named> c = std::make_unique<Named>("delivery.destroy.walk");
};

TEST_F(DestroyDuringWalk, MemberDestroyedBeforeItsTurnIsSkipped) {
    a.set(1, 0, false, false);
    ASSERT_TRUE(entered.wait());
    c.reset();
    mayReturn.open();
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"B"}));
}

TEST_F(DestroyDuringWalk, MemberDestroyedRightAfterItsHookKeepsTheWalkGoing) {
    a.set(1, 0, false, false);
    ASSERT_TRUE(entered.wait());
    expectDestructionWaitsForHook(b, mayReturn);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(ShapeRegistry::memberCount<int>(0, "delivery.destroy.walk"), 2u);
}

TEST_F(DestroyDuringWalk, ChangesQueuedForDestroyedMemberAreDropped) {
    a.set(1, 0, false, false);
    a.set(2, 0, false, false);
    a.set(3, 0, false, false);
    ASSERT_TRUE(entered.wait());
    c.reset();
    mayReturn.open();
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"B", "B", "B"}));
}

TEST(ShapeDeliver, AppliesOnlyToTargetsStillInTheGroup) {
    HookLog log;
    Named source("delivery.direct");
    auto target = std::make_unique<Named>("delivery.direct");
    log.watch(*target, "target");
    const int nine = 9;
    source.setCurrent(&nine);
    std::unique_ptr<ShapeBase> snapshot(source.clone());
    ShapeBase::deliver(snapshot.get(), target.get(), 1, 0, 5, SHAPE_COPY | SHAPE_HOOK);
    EXPECT_EQ(target->current(), 9);
    ASSERT_EQ(log.calls().size(), 1u);
    EXPECT_EQ(log.calls()[0].arg, 5);
    // Only the address of the destroyed member is passed on, as a stale change would.
    volatile std::uintptr_t goneAddress = reinterpret_cast<std::uintptr_t>(target.get());
    target.reset();
    ShapeBase::deliver(snapshot.get(), reinterpret_cast<ShapeBase*>(goneAddress), 1, 0, 5,
                       SHAPE_FORCE);
    ShapeBase::deliver(nullptr, &source, 1, 0, 5, SHAPE_FORCE);
    EXPECT_EQ(log.calls().size(), 1u);
}

TEST(ShapeJoin, MemberJoiningDuringWalkIsVisited) {
    HookLog log;
    Named a("delivery.join.walk");
    Named b("delivery.join.walk");
    std::unique_ptr<Named> late;
    b.bind(&b, [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
        log.note("B");
        if (!late) {
            late = std::make_unique<Named>("delivery.join.walk");
            log.watch(*late, "late");
        }
    });
    a.fireOthers(0, true);
    ASSERT_TRUE(ShapeDispatcher::waitIdle());
    EXPECT_EQ(log.heard(), (std::vector<std::string>{"B", "late"}));
}

}  // namespace
