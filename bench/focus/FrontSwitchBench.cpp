// Another application coming to the front on an X server until the keyboard has its profile:
// the root window's _NET_ACTIVE_WINDOW, set here as a window manager sets it.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FrontSwitchMeasure.h"

namespace {

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
        // Xvfb writes the number and then its line's end, and dies when the second write finds
        // the pipe closed: read the whole line.
        std::string line;
        char c = 0;
        while (pid_ > 0 && line.size() < 16 && read(pipe_[0], &c, 1) == 1 && c != '\n') line += c;
        if (c == '\n') display_ = std::atoi(line.c_str());
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

void BM_FrontToProfileOnX11(benchmark::State& state) {
    XServer server;
    if (server.display() < 0) return state.SkipWithError("Xvfb did not start");
    const std::string display = ":" + std::to_string(server.display());
    setenv("DISPLAY", display.c_str(), 1);
    xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t active = Atom(x, "_NET_ACTIVE_WINDOW");
    const xcb_window_t windows[] = {Window(x, root, "first"), Window(x, root, "second")};

    MeasureFrontSwitches(state, &focus::WatchX11, [&](int application) {
        xcb_change_property(x, XCB_PROP_MODE_REPLACE, root, active, XCB_ATOM_WINDOW, 32, 1,
                            &windows[application]);
        xcb_flush(x);
    });
    xcb_disconnect(x);
}
BENCHMARK(BM_FrontToProfileOnX11)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
