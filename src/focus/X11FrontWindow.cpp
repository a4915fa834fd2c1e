#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "focus/DescriptorThread.h"
#include "focus/FrontWatch.h"

namespace focus {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

class X11FrontWindow : public FrontWatch {
public:
    X11FrontWindow(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t active,
                   FrontHandler handler)
        : connection_(connection), root_(root), active_(active), handler_(std::move(handler)) {
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        Report();
        thread_ = std::make_unique<DescriptorThread>(xcb_get_file_descriptor(connection_),
                                                     [this] { return Read(); });
    }

    ~X11FrontWindow() override {
        thread_.reset();
        xcb_disconnect(connection_);
    }

private:
    bool Read() {
        bool changed = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
                changed = changed || (notify->window == root_ && notify->atom == active_);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection_)) return false;
        // Several changes read at once: only the last window counts.
        if (changed) Report();
        return true;
    }

    void Report() {
        const std::uint32_t window = ActiveWindow();
        std::vector<std::string> names;
        if (window != XCB_WINDOW_NONE) names = ClassOf(window);
        if (names == reported_) return;
        reported_ = names;
        handler_(names);
    }

    xcb_window_t ActiveWindow() const {
        const auto reply = Owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, active_, XCB_ATOM_WINDOW, 0, 1),
            nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) < 4) return XCB_WINDOW_NONE;
        xcb_window_t window;
        std::memcpy(&window, xcb_get_property_value(reply.get()), sizeof window);
        return window;
    }

    // WM_CLASS holds the instance and the class name, each ended by a zero byte.
    std::vector<std::string> ClassOf(xcb_window_t window) const {
        const auto reply = Owned(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
            nullptr));
        std::vector<std::string> names;
        if (!reply) return names;
        const char* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const int length = xcb_get_property_value_length(reply.get());
        for (int at = 0; at < length;) {
            const std::size_t size = strnlen(text + at, static_cast<std::size_t>(length - at));
            if (size > 0) names.emplace_back(text + at, size);
            at += static_cast<int>(size) + 1;
        }
        return names;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t active_;
    FrontHandler handler_;
    std::vector<std::string> reported_{"\n"};  // nothing reported yet
    std::unique_ptr<DescriptorThread> thread_;
};

}  // namespace

std::unique_ptr<FrontWatch> WatchX11(FrontHandler handler) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    const xcb_atom_t active = Atom(connection, "_NET_ACTIVE_WINDOW");
    if (!screens.rem || active == XCB_ATOM_NONE) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<X11FrontWindow>(connection, screens.data->root, active,
                                            std::move(handler));
}

}  // namespace focus
