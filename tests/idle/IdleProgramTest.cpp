// A program that nobody uses must not keep waking up: a timer or worker that polls again makes
// this fail long before anyone notices a busy core or a laptop that does not idle.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/IdleProgram.h"

namespace {

using namespace std::chrono_literals;

// Generous: the idle program wakes a few times a second at most, while the timers and workers
// that polled every millisecond woke it two thousand times.
constexpr double kMaxWakeupsPerSecond = 200;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "test_idle";
    static char* argv[] = {name, nullptr};
    // Kept to the end like the other GUI tests' application: Qt's font caches go with it.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

TEST(IdleProgram, SleepsWithItsWindowShownAndHidden) {
    Application();
    const IdleFigures figures = MeasureIdleProgram(3s);
    ASSERT_TRUE(figures.keyboardShown) << "the program did not show the emulated keyboard";
    EXPECT_LT(figures.shown.wakeupsPerSecond, kMaxWakeupsPerSecond)
        << "window shown: " << Describe(figures.shown);
    EXPECT_LT(figures.hidden.wakeupsPerSecond, kMaxWakeupsPerSecond)
        << "window hidden: " << Describe(figures.hidden);
}

}  // namespace
