#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/LogicFixture.h"
#include "support/ProcessActivity.h"

namespace {

using namespace std::chrono_literals;
using IdleWorkers = LogicTest;

// Far above a sleeping process, far below the two thousand a second of polling workers.
constexpr double kIdleWakeupsPerSecond = 100;

TEST_F(IdleWorkers, ConnectedKeyboardLogicSleepsUntilSomethingHappens) {
    Connect();
    ASSERT_TRUE(logic->firstWorker().IsWorkerRunning());
    ASSERT_TRUE(logic->secondWorker().IsWorkerRunning());
    ASSERT_TRUE(logic->secondWorker().IsTimerRunning());
    std::this_thread::sleep_for(20ms);  // the workers' first passes are over
    ActivityRate rate = RateWhileSleeping(500ms);
    EXPECT_LT(rate.wakeupsPerSecond, kIdleWakeupsPerSecond) << Describe(rate);

    // Sleeping workers still stop at once when the keyboard goes, and start again with it.
    Replug();
    EXPECT_TRUE(logic->firstWorker().IsWorkerRunning());
    EXPECT_TRUE(logic->secondWorker().IsWorkerRunning());
}

}  // namespace
