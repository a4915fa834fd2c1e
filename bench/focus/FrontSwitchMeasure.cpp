#include "FrontSwitchMeasure.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "ops/FrontSwitch.h"
#include "ops/LocalKeyboard.h"
#include "support/ProcessActivity.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kGoalMedianMs = 20;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

void MeasureFrontSwitches(benchmark::State& state, const StartWatch& startWatch,
                          const BringForward& bringForward) {
    const fs::path folder =
        fs::temp_directory_path() / ("keylume-front-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    AppPaths paths;
    paths.dataFolder = KEYLUME_SOURCE_DIR;
    paths.userFolder = folder;
    paths.configFile = paths.shippedConfigFile = paths.uiFolder() / "config.xml";
    paths.macroFile = folder / "macro.xml";
    persist::AppRulesFile(paths.rulesFile())
        .Save({true, {{"first", {1, std::nullopt}}, {"second", {2, std::nullopt}}}, std::nullopt});
    auto backend = std::make_shared<EmulatedBackend>();
    std::vector<double> samples;
    {
        LocalKeyboard keyboard(paths, backend);
        keyboard.Connect();
        FrontSwitch following(keyboard.Operations(), persist::AppRulesFile(paths.rulesFile()), {});
        const auto watch =
            startWatch([&](const std::vector<std::string>& names) { following.Front(names); });
        if (!watch) {
            fs::remove_all(folder);
            return state.SkipWithError("no watch on the display");
        }
        int next = 0;
        for (auto _ : state) {
            const int application = next;
            next = 1 - next;
            const Clock::time_point start = Clock::now();
            bringForward(application);
            while (backend->Keyboard().ActiveProfile() != application + 1 &&
                   Clock::now() - start < std::chrono::seconds(5))
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            const std::chrono::duration<double> took = Clock::now() - start;
            state.SetIterationTime(took.count());
            samples.push_back(took.count() * 1000);
        }
        const ActivityRate idle = RateWhileSleeping(std::chrono::seconds(5));
        state.counters["idle_wakeups_per_s"] = idle.wakeupsPerSecond;
        state.counters["idle_core_pct"] = idle.corePercent;
    }
    fs::remove_all(folder);
    state.counters["median_ms"] = Median(samples);
    state.SetLabel(Median(samples) < kGoalMedianMs ? "goal met" : "over the goal");
}
