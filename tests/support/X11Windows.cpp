#include "support/X11Windows.h"

#include <cstdlib>
#include <cstring>

namespace testsupport {

X11Windows::X11Windows(const std::string& display)
    : connection_(xcb_connect(display.c_str(), nullptr)) {
    if (connected()) root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

X11Windows::~X11Windows() {
    xcb_disconnect(connection_);
}

xcb_atom_t X11Windows::Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

void X11Windows::SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, int format,
                             std::uint32_t length, const void* data) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type,
                        static_cast<std::uint8_t>(format), length, data);
}

xcb_window_t X11Windows::Window(const std::string& wmClass, std::uint32_t pid,
                                const std::string& machine) {
    const xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (!wmClass.empty())
        SetProperty(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                    static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
    if (pid != 0) SetProperty(window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    if (!machine.empty())
        SetProperty(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
                    static_cast<std::uint32_t>(machine.size()), machine.data());
    xcb_flush(connection_);
    return window;
}

void X11Windows::BringForward(xcb_window_t window) {
    SetProperty(root_, Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
    xcb_flush(connection_);
}

}  // namespace testsupport
