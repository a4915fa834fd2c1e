#pragma once
// Tells which application is in front, as the desktop announces it: no polling, a thread of the
// watch's own waits for the display's events. The names come first the application's identity
// (X11 instance name, Wayland app id), then others it is known by (X11 class); empty when no
// window is in front. The handler runs on that thread.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace focus {

using FrontHandler = std::function<void(const std::vector<std::string>& names)>;

// Stops watching when destroyed; the handler is not called after that.
class FrontWatch {
public:
    virtual ~FrontWatch() = default;
};

// On the X display of $DISPLAY: the root window's _NET_ACTIVE_WINDOW. Null without a display or
// a window manager that tells the active window.
std::unique_ptr<FrontWatch> WatchX11(FrontHandler handler);

#ifdef KEYLUME_FOCUS_WLROOTS
// On the Wayland display of $WAYLAND_DISPLAY, a wlroots compositor's toplevel list. Null without
// a display or the protocol.
std::unique_ptr<FrontWatch> WatchWlroots(FrontHandler handler);
#endif

}  // namespace focus
