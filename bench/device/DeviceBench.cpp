#include <benchmark/benchmark.h>

#include <array>

#include "device/FeatureTransport.h"
#include "emulator/VirtualKeyboard.h"

namespace {

// A link on the emulated keyboard with no delay and no report log, so only the software cost of
// the transport, the backend and the firmware model is measured.
struct EmulatedLink {
    EmulatedLink() {
        backend->SetLogging(false);
        link.Open(EmulatedBackend::KeyboardPath());
    }
    std::shared_ptr<EmulatedBackend> backend = std::make_shared<EmulatedBackend>();
    DeviceLink link{backend};
};

void ReportsPerIteration(benchmark::State& state, double reports) {
    state.counters["reports"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * reports, benchmark::Counter::kIsRate);
    state.counters["time_per_report"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * reports,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One query, a request report and an answer report: args are the command and the length.
void BM_Query(benchmark::State& state) {
    EmulatedLink emulated;
    const auto command = static_cast<int>(state.range(0));
    const auto length = static_cast<int>(state.range(1));
    std::array<std::uint8_t, 432> dest{};
    for (auto _ : state) {
        int received = QueryFeature(emulated.link, command, 0, dest.data(), length);
        benchmark::DoNotOptimize(received);
        benchmark::DoNotOptimize(dest.data());
    }
    ReportsPerIteration(state, 2);
}
BENCHMARK(BM_Query)->Args({ActiveProfile, 1})->Args({KeyColours, 432});

// The largest write the program makes: the 108 key colours in one report.
void BM_SendKeyColours(benchmark::State& state) {
    EmulatedLink emulated;
    std::array<std::uint8_t, 432> colours{};
    for (auto _ : state) {
        colours[0]++;
        int sent = SendFeature(emulated.link, KeyColours, 0, 0, colours.data(), 432);
        benchmark::DoNotOptimize(sent);
    }
    ReportsPerIteration(state, 1);
}
BENCHMARK(BM_SendKeyColours);

}  // namespace
