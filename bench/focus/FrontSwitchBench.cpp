// Another application coming to the front until the keyboard has its profile: the X server's
// announcement (the root window's _NET_ACTIVE_WINDOW, set here as a window manager sets it), the
// watch, the rules and the reports to the emulated keyboard. Goal: a median under 20 ms. Then the
// cost of the watch while nothing changes: wake-ups per second and CPU time of the process.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "focus/FrontWatch.h"
#include "ops/FrontSwitch.h"
#include "ops/LocalKeyboard.h"
#include "support/ProcessActivity.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kGoalMedianMs = 20;

// An X server of the benchmark's own; its display number, or -1.
class XServer {
public:
    XServer() {
        int pipe_[2];
        if (pipe(pipe_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(pipe_[0]);
            const std::string fd = std::to_string(pipe_[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr);
            _exit(127);
        }
        close(pipe_[1]);
        char text[16] = {};
        if (pid_ > 0 && read(pipe_[0], text, sizeof text - 1) > 0) display_ = std::atoi(text);
        close(pipe_[0]);
    }
    ~XServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    int display() const { return display_; }

private:
    pid_t pid_ = -1;
    int display_ = -1;
};

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// A window of an application named by its X11 class.
xcb_window_t Window(xcb_connection_t* x, xcb_window_t root, const std::string& name) {
    const xcb_window_t window = xcb_generate_id(x);
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, root, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    const std::string wmClass = name + '\0' + name + '\0';
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
    return window;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_FrontToProfileOnX11(benchmark::State& state) {
    XServer server;
    if (server.display() < 0) return state.SkipWithError("Xvfb did not start");
    const std::string display = ":" + std::to_string(server.display());
    setenv("DISPLAY", display.c_str(), 1);
    xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t active = Atom(x, "_NET_ACTIVE_WINDOW");
    const xcb_window_t windows[] = {Window(x, root, "first"), Window(x, root, "second")};

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
            focus::WatchX11([&](const std::vector<std::string>& names) { following.Front(names); });
        if (!watch) return state.SkipWithError("no watch on the X server");
        int next = 0;
        for (auto _ : state) {
            const xcb_window_t window = windows[next];
            const int profile = next + 1;
            next = 1 - next;
            const Clock::time_point start = Clock::now();
            xcb_change_property(x, XCB_PROP_MODE_REPLACE, root, active, XCB_ATOM_WINDOW, 32, 1,
                                &window);
            xcb_flush(x);
            while (backend->Keyboard().ActiveProfile() != profile &&
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
    xcb_disconnect(x);
    fs::remove_all(folder);
    state.counters["median_ms"] = Median(samples);
    state.SetLabel(Median(samples) < kGoalMedianMs ? "goal met" : "over the goal");
}
BENCHMARK(BM_FrontToProfileOnX11)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
