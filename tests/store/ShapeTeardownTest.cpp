// A window-routed owner that goes away while changes for it are still queued: what is left
// for it is dropped, never applied on the dispatcher thread.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "Gate.h"
#include "store/Shape.h"
#include "store/ShapeWindowThread.h"

namespace {

using Member = ShapeType<int, -1, 1, 0>;
using namespace std::chrono_literals;

constexpr const char* kGroups[] = {"teardown.mode", "teardown.register", "teardown.colours",
                                   "teardown.profile"};
constexpr std::size_t kGroupCount = std::size(kGroups);

// Hook calls that did not run on the panel's window thread.
std::atomic<int> offWindowCalls{0};

// Stands in for a screen panel: several shapes whose hooks touch the panel's own state (its
// widgets), routed to its window; it detaches first and then tears down its widgets, which
// takes a while, before its shapes go.
class Panel {
public:
    explicit Panel(const ShapeWindowThread& window)
        : window_(window),
          shapes_{Member(kGroups[0]), Member(kGroups[1]), Member(kGroups[2]), Member(kGroups[3])} {
        for (Member& shape : shapes_)
            shape.bind(this, Member::Hook([this](int, const int* data, uint32_t, uint32_t, uint32_t,
                                                 uint32_t, int) { Show(data[0]); }));
        ShapeBase::attachWindow(this, window.handle());
    }
    ~Panel() {
        ShapeBase::detachWindow(this);
        shown_ = -1;
        std::this_thread::sleep_for(1ms);
    }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

private:
    void Show(int value) {
        if (!window_.isCurrentThread()) ++offWindowCalls;
        shown_ = value;  // plain state, as a widget's
    }

    const ShapeWindowThread& window_;
    int shown_ = 0;
    std::array<Member, kGroupCount> shapes_;
};

// Keeps the dispatcher thread in a hook until it is let go.
class DispatcherHold {
public:
    DispatcherHold() {
        held_.bind(this, Member::Hook([this](int, const int*, uint32_t, uint32_t, uint32_t,
                                             uint32_t, int) { release_.wait(); }));
    }
    void Hold() { publisher_.set(publisher_.current() + 1, 0, false, false); }
    void Release() { release_.open(); }

private:
    Gate release_;
    Member held_{"teardown.hold"};
    Member publisher_{"teardown.hold"};
};

TEST(WindowTeardown, PanelDestroyedWithABurstQueuedHearsNothingOffItsWindow) {
    ShapeWindowThread::installPoster();
    constexpr int kRounds = 50;
    constexpr int kBurst = 400;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        offWindowCalls = 0;
        ShapeWindowThread window;
        std::array<std::unique_ptr<Member>, kGroupCount> device;
        for (std::size_t g = 0; g < kGroupCount; ++g)
            device[g] = std::make_unique<Member>(kGroups[g]);
        std::unique_ptr<Panel> panel = std::make_unique<Panel>(window);

        DispatcherHold hold;
        hold.Hold();
        std::thread publisher([&] {
            for (int i = 1; i <= kBurst; ++i) device[i % kGroupCount]->set(i, 0, false, false);
        });
        publisher.join();
        // The panel goes on its own thread, as a screen does, while the burst is delivered.
        ASSERT_TRUE(window.post([&] {
            hold.Release();
            panel.reset();
        }));
        window.flush();
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
        window.flush();
        EXPECT_EQ(offWindowCalls, 0);
    }
}

}  // namespace
