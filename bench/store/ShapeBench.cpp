// Publish-to-hook cost through the dispatcher: an int group and a group of 108 four-byte
// colours, delivered on the dispatcher thread (direct) or on a window thread.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "store/Shape.h"

namespace {

struct Colour {
    uint8_t r, g, b, a;
    bool operator==(const Colour&) const = default;
};
static_assert(sizeof(Colour) == 4);

using IntShape = ShapeType<int, 7001, 1, 1>;
using ColourShape = ShapeType<Colour, 7001, 108, 1>;

constexpr int kBurst = 1000;

Colour colourFor(int64_t i) {
    return Colour{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8),
                  static_cast<uint8_t>(i >> 16), 0xFF};
}

void waitFor(const std::atomic<int64_t>& counter, int64_t target) {
    while (counter.load(std::memory_order_acquire) < target) std::this_thread::yield();
}

// A publisher and a receiver whose hook counts arrivals, optionally on a window thread.
template <class Shape>
class Pair {
public:
    explicit Pair(bool routed) {
        receiver_.bind(this, &Pair::onChange);
        if (routed) {
            ShapeWindowThread::installPoster();
            window_ = std::make_unique<ShapeWindowThread>();
            ShapeBase::attachWindow(this, window_->handle());
        }
    }
    ~Pair() {
        ShapeDispatcher::waitIdle();
        if (window_) window_->flush();
    }
    Shape publisher;
    std::atomic<int64_t> arrived{0};

private:
    void onChange(int, const typename Shape::value_type*, uint32_t, uint32_t, uint32_t, uint32_t,
                  int) {
        arrived.fetch_add(1, std::memory_order_release);
    }
    Shape receiver_;
    std::unique_ptr<ShapeWindowThread> window_;
};

void publish(IntShape& shape, int64_t i) {
    shape.set(static_cast<int>(i), 0, false, false);
}
void publish(ColourShape& shape, int64_t i) {
    const Colour colour = colourFor(i);
    shape.fill(&colour, 108, 0, false, false);
}

// Deliveries per second: bursts of changes, each counted when its hook has run.
template <class Shape>
void Throughput(benchmark::State& state) {
    Pair<Shape> pair(state.range(0) != 0);
    int64_t sent = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBurst; ++i) publish(pair.publisher, ++sent);
        waitFor(pair.arrived, sent);
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}

// One change at a time, from the publishing call until its hook has run; the dispatcher
// thread ends after each change, so this includes starting it.
template <class Shape>
void Latency(benchmark::State& state) {
    Pair<Shape> pair(state.range(0) != 0);
    int64_t sent = 0;
    for (auto _ : state) {
        publish(pair.publisher, ++sent);
        waitFor(pair.arrived, sent);
    }
}

// Publishing alone (clone plus queue) while the dispatcher thread is busy elsewhere, so that
// neither delivery nor thread start is counted.
void PublishColours(benchmark::State& state) {
    ShapeType<int, 7002, 1, 1> blockerSource, blockerTarget;
    std::atomic<bool> blocked{false}, release{false};
    blockerTarget.bind(&blockerTarget,
                       [&](int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {
                           blocked = true;
                           while (!release) std::this_thread::yield();
                       });
    auto block = [&, n = 0]() mutable {
        release = false;
        blocked = false;
        blockerSource.set(++n, 0, false, false);
        while (!blocked) std::this_thread::yield();
    };
    ColourShape publisher, receiver;
    block();
    int64_t sent = 0;
    for (auto _ : state) {
        publish(publisher, ++sent);
        if (sent % 2048 == 0) {
            state.PauseTiming();
            release = true;
            ShapeDispatcher::waitIdle();
            block();
            state.ResumeTiming();
        }
    }
    release = true;
    ShapeDispatcher::waitIdle();
}

BENCHMARK_TEMPLATE(Throughput, IntShape)->ArgName("window")->Arg(0)->Arg(1)->UseRealTime();
BENCHMARK_TEMPLATE(Throughput, ColourShape)->ArgName("window")->Arg(0)->Arg(1)->UseRealTime();
BENCHMARK_TEMPLATE(Latency, IntShape)->ArgName("window")->Arg(0)->Arg(1)->UseRealTime();
BENCHMARK_TEMPLATE(Latency, ColourShape)->ArgName("window")->Arg(0)->Arg(1)->UseRealTime();
BENCHMARK(PublishColours)->UseRealTime();

}  // namespace
