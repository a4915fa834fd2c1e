// The whole program left alone after start-up, with the emulated keyboard, offscreen: wake-ups
// per second (context switches of all its threads) and CPU time, with the window shown and then
// hidden. Goals: under 20 wake-ups per second and under 0.3 % of a core in both states.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "support/IdleProgram.h"

namespace {

using namespace std::chrono_literals;

constexpr double kGoalWakeupsPerSecond = 20;
constexpr double kGoalCorePercent = 0.3;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "bench_idle";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

bool MeetsGoals(const ActivityRate& rate) {
    return rate.wakeupsPerSecond < kGoalWakeupsPerSecond && rate.corePercent < kGoalCorePercent;
}

void Report(benchmark::State& state, const std::string& prefix, const ActivityRate& rate) {
    state.counters[prefix + "_wakeups_per_s"] = rate.wakeupsPerSecond;
    state.counters[prefix + "_core_pct"] = rate.corePercent;
}

void BM_IdleProgram(benchmark::State& state) {
    Application();
    IdleFigures figures;
    for (auto _ : state) figures = MeasureIdleProgram(10s);
    if (!figures.keyboardShown) {
        state.SkipWithError("the program did not show the emulated keyboard");
        return;
    }
    Report(state, "shown", figures.shown);
    Report(state, "hidden", figures.hidden);
    state.SetLabel(MeetsGoals(figures.shown) && MeetsGoals(figures.hidden) ? "goals met"
                                                                           : "over the goals");
}
BENCHMARK(BM_IdleProgram)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
