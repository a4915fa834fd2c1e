#pragma once
// Windows of made-up applications on an X server, brought forward as a window manager does: by
// the root window's _NET_ACTIVE_WINDOW.
#include <xcb/xcb.h>

#include <cstdint>
#include <string>

namespace testsupport {

class X11Windows {
public:
    explicit X11Windows(const std::string& display);
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    bool connected() const { return connection_ && !xcb_connection_has_error(connection_); }

    // A window with WM_CLASS `wmClass` (instance and class, each ended by a zero byte; empty:
    // none), and a process id and machine when given.
    xcb_window_t Window(const std::string& wmClass, std::uint32_t pid = 0,
                        const std::string& machine = {});
    // XCB_WINDOW_NONE: no window in front.
    void BringForward(xcb_window_t window);

private:
    xcb_atom_t Atom(const char* name);
    void SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, int format,
                     std::uint32_t length, const void* data);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

}  // namespace testsupport
