#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "focus/DescriptorThread.h"
#include "focus/FrontWatch.h"
#include "focus/ProgramName.h"
#include "records/AppRules.h"

namespace focus {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// `onlyIfKnown`: none unless a client of the display has named it already.
xcb_atom_t Atom(xcb_connection_t* connection, const char* name, bool onlyIfKnown) {
    const auto reply = Owned(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, onlyIfKnown,
                                              static_cast<std::uint16_t>(std::strlen(name)), name),
                              nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string ThisMachine() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

class X11FrontWindow : public FrontWatch {
public:
    X11FrontWindow(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t active,
                   FrontHandler handler)
        : connection_(connection),
          root_(root),
          active_(active),
          pid_(Atom(connection, "_NET_WM_PID", false)),
          handler_(std::move(handler)) {
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
        if (window != XCB_WINDOW_NONE) names = NamesOf(window);
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

    // WM_CLASS's instance and class name, then the program behind the window where its
    // class says little (a toolkit's generic class) or nothing.
    std::vector<std::string> NamesOf(xcb_window_t window) const {
        std::vector<std::string> names;
        const std::string wmClass = Text(window, XCB_ATOM_WM_CLASS);
        for (std::size_t at = 0; at < wmClass.size();) {
            const std::size_t end = std::min(wmClass.find('\0', at), wmClass.size());
            if (end > at) names.push_back(wmClass.substr(at, end - at));
            at = end + 1;
        }
        const std::string program = ProgramOf(window);
        if (!program.empty() && std::none_of(names.begin(), names.end(), [&](const auto& name) {
                return rules::SameApplication(name, program);
            }))
            names.push_back(program);
        return names;
    }

    // A process id names a process of the machine the window's client runs on: this one's only.
    std::string ProgramOf(xcb_window_t window) const {
        if (pid_ == XCB_ATOM_NONE || machine_.empty() ||
            Text(window, XCB_ATOM_WM_CLIENT_MACHINE) != machine_)
            return {};
        const auto reply = Owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, pid_, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) < 4) return {};
        std::uint32_t pid = 0;
        std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
        return ProgramName(pid);
    }

    // A string property, the zero bytes within it kept.
    std::string Text(xcb_window_t window, xcb_atom_t property) const {
        const auto reply = Owned(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, property, XCB_ATOM_STRING, 0, 256), nullptr));
        if (!reply) return {};
        std::string text(static_cast<const char*>(xcb_get_property_value(reply.get())),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t active_;
    xcb_atom_t pid_;
    const std::string machine_ = ThisMachine();
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
    const xcb_atom_t active = Atom(connection, "_NET_ACTIVE_WINDOW", true);
    if (!screens.rem || active == XCB_ATOM_NONE) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::make_unique<X11FrontWindow>(connection, screens.data->root, active,
                                            std::move(handler));
}

}  // namespace focus
