// The whole program as a user starts it: a new process against the emulated keyboard that
// exits once the window showing the keyboard is painted and saved as a picture.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

void BM_ProgramStartToScreenshot(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("keylume-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string shot = (folder / "window.png").string();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::vector<std::string> args = {KEYLUME_EXECUTABLE, "--emulate", "--screenshot", shot};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("the program could not be started");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !std::filesystem::exists(shot)) {
            state.SkipWithError("the program did not save its window");
            break;
        }
        std::filesystem::remove(shot);
    }
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    state.counters["peak_MB"] = static_cast<double>(children.ru_maxrss) / 1024.0;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ProgramStartToScreenshot)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
