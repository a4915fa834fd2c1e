// Another application coming to the front on an X server until the keyboard has its profile:
// the root window's _NET_ACTIVE_WINDOW, set here as a window manager sets it.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "FrontSwitchMeasure.h"
#include "support/X11Windows.h"
#include "support/XvfbServer.h"

namespace {

void BM_FrontToProfileOnX11(benchmark::State& state) {
    testsupport::XvfbServer server;
    if (server.display().empty()) return state.SkipWithError("Xvfb did not start");
    setenv("DISPLAY", server.display().c_str(), 1);
    testsupport::X11Windows desktop(server.display());
    const xcb_window_t windows[] = {desktop.Window(std::string("first\0first\0", 12)),
                                    desktop.Window(std::string("second\0second\0", 14))};
    // The watch needs a window manager's announcement to start.
    desktop.BringForward(XCB_WINDOW_NONE);
    MeasureFrontSwitches(state, &focus::WatchX11,
                         [&](int application) { desktop.BringForward(windows[application]); });
}
BENCHMARK(BM_FrontToProfileOnX11)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
