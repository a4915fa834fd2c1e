// Destroying the keyboard logic while one of its hooks runs.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "records/SharedShapes.h"
#include "support/LogicFixture.h"
#include "support/WaitUntil.h"

namespace {

using namespace std::chrono_literals;

using Lifetime = LogicTest;

TEST_F(Lifetime, DestroyingDuringTheConnectionReadWaitsForTheHookAndEndsIt) {
    PutMacro(5, 2, 0x04, 3);
    backend->SetLatency(1ms);
    logic = std::make_unique<KeyboardLogic>(link.get());
    ASSERT_TRUE(WaitUntil([&] { return backend->ReportCount() >= 20; }));
    // Queued behind the read: must not reach the keyboard once destruction has begun.
    screens->factoryReset.set(-1, shapes::kApply, false, false);
    logic.reset();
    const uint64_t atDestruction = backend->ReportCount();
    Idle();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(backend->ReportCount(), atDestruction);
    EXPECT_LT(atDestruction, 2 * ExpectedConnectionRead(3, 12, {2}, 0).size());
    EXPECT_EQ(CountOf(DeviceControl), 0u);
    EXPECT_EQ(keyboard->FactoryResets(), 0);
}

TEST_F(Lifetime, DestroyingDuringACommandHook) {
    Connect();
    backend->SetLatency(2ms);
    ClearLog();
    for (int i = 0; i < 20; ++i) screens->colourSet.set(i % 4, shapes::kApply, false, false);
    ASSERT_TRUE(WaitUntil([&] { return backend->ReportCount() > 0; }));
    logic.reset();
    const uint64_t atDestruction = backend->ReportCount();
    Idle();
    EXPECT_EQ(backend->ReportCount(), atDestruction);
    EXPECT_LT(Requests().size(), 40u);
}

}  // namespace
