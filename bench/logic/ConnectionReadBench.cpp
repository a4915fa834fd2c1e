// A full connection read (3 profiles, 14 modes, 8 macros) against the emulated keyboard, once
// without and once with a delay per report. Each iteration is one arrival after a removal;
// only the arrival's read is timed.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

#include "device/DeviceLink.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"
#include "store/ShapeDispatcher.h"

namespace {

constexpr int kMacros = 8;

std::shared_ptr<VirtualKeyboard> BenchKeyboard() {
    auto keyboard = std::make_shared<VirtualKeyboard>(KeyboardShape{3, 14, 4, 16});
    keyboard->Modify([](KeyboardState& state) {
        for (int slot = 0; slot < kMacros; ++slot) {
            macro_block_t& block = state.macroSlots[static_cast<size_t>(slot)];
            block = macro_block_t{};
            block.name.set("bench");
            block.repeat = 1;
            for (int step = 0; step < 20; ++step) {
                block.append(macro_step_t::make(static_cast<uint8_t>(0x04 + step), 10,
                                                static_cast<unsigned>(step % 2)));
            }
            state.keyCodes[static_cast<size_t>(10 + slot)] =
                macro_code_t::make(3, static_cast<unsigned>(slot));
        }
    });
    return keyboard;
}

void ConnectionRead(benchmark::State& state, std::chrono::microseconds latency) {
    auto backend = std::make_shared<EmulatedBackend>(BenchKeyboard());
    backend->SetLogging(false);
    DeviceLink link(backend);
    auto logic = std::make_unique<KeyboardLogic>(&link);
    ShapeDispatcher::waitIdle();
    backend->SetLatency(latency);
    const std::string path = EmulatedBackend::KeyboardPath();
    uint64_t reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        logic->OnRemove(path);
        ShapeDispatcher::waitIdle();
        const uint64_t before = backend->ReportCount();
        state.ResumeTiming();
        logic->OnArrival(path);
        ShapeDispatcher::waitIdle();
        state.PauseTiming();
        reports = backend->ReportCount() - before;
        state.ResumeTiming();
    }
    const double perRead = static_cast<double>(reports);
    state.counters["reports"] = perRead;
    state.counters["groups"] = static_cast<double>(kMacros);
    if (latency.count() > 0) {
        // The goal: within 5% of reports x latency.
        state.counters["floor_ms"] = perRead * static_cast<double>(latency.count()) / 1000.0;
    }
    logic.reset();
    ShapeDispatcher::waitIdle();
}

// What this host's timer makes of the same number of 1 ms waits: the floor the delayed read
// can reach here, whatever the read itself costs.
void TimerBaseline(benchmark::State& state) {
    const auto waits = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < waits; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    state.counters["floor_ms"] = waits;
}

BENCHMARK_CAPTURE(ConnectionRead, zero_latency, std::chrono::microseconds(0))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ConnectionRead, one_ms_per_report, std::chrono::microseconds(1000))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(TimerBaseline)->Arg(144)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
