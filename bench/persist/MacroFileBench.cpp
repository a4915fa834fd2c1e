// Saving "macro.xml" with ten full groups: the whole rewrite that follows every macro edit.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "files/FileReplacer.h"
#include "persist/MacroDocument.h"
#include "persist/MacroFile.h"

namespace {

constexpr int kGroups = 10;
constexpr int kStepsPerGroup = 109;

std::string FullMacroText() {
    persist::MacroDocumentWriter writer(MacroRecordParam{1, 2, 30, 0, 1, 2, 0, 50, 1});
    for (int group = 0; group < kGroups; ++group) {
        std::list<MacroRecordGpItem> steps;
        for (int step = 0; step < kStepsPerGroup; ++step) {
            steps.push_back(
                {0x1E + step % 40, step % 2, 35 + step, L"Key " + std::to_wstring(step)});
        }
        writer.AddGroup({group, 1, L"Macro group " + std::to_wstring(group)}, steps);
    }
    return writer.Text();
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "macrobench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Leaves the flush to the kernel, to show what the flush to disk costs.
class WithoutFlush : public files::FileSystemCalls {
public:
    int Sync(int) override { return 0; }
};

void SaveRepeatedly(benchmark::State& state, files::FileReplacer replacer) {
    ScratchFolder folder;
    const std::filesystem::path file = folder.path() / "macro.xml";
    files::FileReplacer().Replace(file, FullMacroText());
    const MacroFile macros(file, std::move(replacer));
    if (macros.groups().current().size() != kGroups) {
        state.SkipWithError("the macro file did not load");
        return;
    }
    for (auto _ : state) {
        if (!macros.Save()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(file)));
}

void BM_MacroFileSave(benchmark::State& state) {
    SaveRepeatedly(state, files::FileReplacer());
}
BENCHMARK(BM_MacroFileSave)->Unit(benchmark::kMicrosecond);

void BM_MacroFileSaveWithoutFlush(benchmark::State& state) {
    SaveRepeatedly(state, files::FileReplacer(std::make_shared<WithoutFlush>()));
}
BENCHMARK(BM_MacroFileSaveWithoutFlush)->Unit(benchmark::kMicrosecond);

// The text alone, without the file system.
void BM_MacroDocumentText(benchmark::State& state) {
    ScratchFolder folder;
    const std::filesystem::path file = folder.path() / "macro.xml";
    files::FileReplacer().Replace(file, FullMacroText());
    const MacroFile macros(file);
    for (auto _ : state) {
        persist::MacroDocumentWriter writer(macros.settings().current());
        for (const MacroRecordGroup& group : macros.groups().current()) {
            writer.AddGroup(group.info.current(), group.items.current());
        }
        benchmark::DoNotOptimize(writer.Text());
    }
}
BENCHMARK(BM_MacroDocumentText)->Unit(benchmark::kMicrosecond);

}  // namespace
