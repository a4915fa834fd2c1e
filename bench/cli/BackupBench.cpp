// Export and import of a whole keyboard (3 profiles, 14 modes, 4 colour sets, 8 macro keys)
// through the commands' path, against the emulated keyboard with a delay per report. An import
// restores a keyboard that was reset to its factory settings.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "ops/LocalKeyboard.h"

namespace {

namespace fs = std::filesystem;

void FillKeyboard(VirtualKeyboard& keyboard) {
    keyboard.Modify([](KeyboardState& state) {
        for (std::size_t i = 0; i < state.registers.size(); ++i)
            state.registers[i].foregroundBrightness = static_cast<std::uint8_t>(i);
        for (auto& set : state.colourSets)
            for (std::size_t k = 0; k < set.size(); ++k) set[k].g = static_cast<std::uint8_t>(k);
        for (int slot = 0; slot < 8; ++slot) {
            macro_block_t& block = state.macroSlots[static_cast<std::size_t>(slot)];
            block = macro_block_t{};
            block.name.set("bench");
            block.repeat = 1;
            for (int step = 0; step < 20; ++step)
                block.append(macro_step_t::make(static_cast<std::uint8_t>(0x04 + step), 10,
                                                static_cast<unsigned>(step % 2)));
            state.keyCodes[static_cast<std::size_t>(10 + slot)] =
                macro_code_t::make(3, static_cast<unsigned>(slot));
        }
    });
}

AppPaths BenchPaths() {
    AppPaths paths;
    paths.dataFolder = KEYLUME_SOURCE_DIR;
    paths.userFolder = fs::temp_directory_path() / "keylume-backup-bench";
    fs::create_directories(paths.userFolder);
    paths.configFile = paths.uiFolder() / "config.xml";
    paths.shippedConfigFile = paths.configFile;
    paths.macroFile = paths.userFolder / "macro.xml";
    return paths;
}

void Backup(benchmark::State& state, bool import) {
    auto backend = std::make_shared<EmulatedBackend>(
        std::make_shared<VirtualKeyboard>(KeyboardShape{3, 14, 4, 16}));
    backend->SetLogging(false);
    FillKeyboard(backend->Keyboard());
    LocalKeyboard keyboard(BenchPaths(), backend);
    keyboard.Connect();
    std::string text;
    if (keyboard.Operations().Export(text).code != kExitDone) state.SkipWithError("no export");
    backend->SetLatency(std::chrono::milliseconds(1));
    std::uint64_t reports = 0;
    for (auto _ : state) {
        if (import) {
            state.PauseTiming();
            backend->Keyboard().FactoryReset();
            state.ResumeTiming();
        }
        const std::uint64_t before = backend->ReportCount();
        const Outcome outcome = import
                                    ? keyboard.Operations().Import(text, false, KeyChanges::Restore)
                                    : keyboard.Operations().Export(text);
        if (outcome.code != kExitDone) state.SkipWithError(outcome.message.c_str());
        reports = backend->ReportCount() - before;
    }
    state.counters["reports"] = static_cast<double>(reports);
    state.counters["file_bytes"] = static_cast<double>(text.size());
}

}  // namespace

BENCHMARK_CAPTURE(Backup, ExportAt1msPerReport, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Backup, ImportAfterFactoryResetAt1msPerReport, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
