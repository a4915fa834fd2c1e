#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "logic/HookGate.h"
#include "support/WaitUntil.h"

namespace {

TEST(HookGate, CloseWaitsForTheHeldPassAndRefusesLaterOnes) {
    HookGate gate;
    std::atomic<bool> entered{false}, release{false}, closed{false};
    std::thread hook([&] {
        HookGate::Pass pass(gate);
        ASSERT_TRUE(pass);
        HookGate::Pass nested(gate);  // a hook may run inside another one
        EXPECT_TRUE(nested);
        entered = true;
        while (!release) std::this_thread::yield();
    });
    ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
    std::thread closer([&] {
        gate.Close();
        closed = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return gate.IsClosed(); }));
    EXPECT_FALSE(HookGate::Pass(gate));
    EXPECT_FALSE(closed.load());  // still waiting for the running hook
    release = true;
    closer.join();
    hook.join();
    EXPECT_TRUE(closed.load());
}

TEST(HookGate, ShutRefusesWithoutWaiting) {
    HookGate gate;
    HookGate::Pass held(gate);
    gate.Shut();
    EXPECT_TRUE(gate.IsClosed());
    EXPECT_FALSE(HookGate::Pass(gate));
    EXPECT_TRUE(held);
}

}  // namespace
