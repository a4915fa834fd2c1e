// Input and activation tokens for the Wayland scenarios, as a person and a launcher give them,
// through the compositor's virtual pointer, virtual keyboard and xdg-activation protocols:
//   keylume-wayland-input token     prints a new xdg-activation token
//   keylume-wayland-input devices   one pointer and one keyboard for the whole session (programs
//                                   see a pointer only while it exists, and a keyboard coming
//                                   or going closes their pop-ups), reading commands line by
//                                   line and answering each with "ok":
//     click X Y [BUTTON]            a click at a point of the layout
//     drag X1 Y1 X2 Y2              press at one point, move in steps, release
//     key NAME[+NAME...]            keys pressed together ("Return", "ctrl+a")
//     type TEXT                     the rest of the line typed
// Exits 1 when the compositor offers neither protocol.
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "EventTime.h"
#include "VirtualKeyboard.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"

namespace {

struct Globals {
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
    wl_seat* seat = nullptr;
    xdg_activation_v1* activation = nullptr;
    wl_output* output = nullptr;
    int width = 0;
    int height = 0;
    std::string token;
};

void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    auto* g = static_cast<Globals*>(data);
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        g->width = width;
        g->height = height;
    }
}
void OutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t) {}
void OutputDone(void*, wl_output*) {}
void OutputScale(void*, wl_output*, int32_t) {}
void OutputText(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone,
                                            OutputScale,    OutputText, OutputText};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* g = static_cast<Globals*>(data);
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        g->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        g->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g->seat) {
        g->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
        g->activation = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 && !g->output) {
        g->output =
            static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
        wl_output_add_listener(g->output, &kOutputListener, g);
    }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

void TokenDone(void* data, xdg_activation_token_v1*, const char* token) {
    static_cast<Globals*>(data)->token = token;
}
const xdg_activation_token_v1_listener kTokenListener = {TokenDone};

uint32_t ButtonCode(int number) {
    return number == 3 ? BTN_RIGHT : number == 2 ? BTN_MIDDLE : BTN_LEFT;
}

int Usage() {
    std::fputs("usage: keylume-wayland-input token | devices\n", stderr);
    return 2;
}

class Pointer {
public:
    Pointer(wl_display* display, const Globals& g)
        : display_(display),
          device_(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.pointers, nullptr)),
          width_(static_cast<uint32_t>(g.width)),
          height_(static_cast<uint32_t>(g.height)) {
        wl_display_roundtrip(display_);
    }
    ~Pointer() { zwlr_virtual_pointer_v1_destroy(device_); }
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    void Move(int x, int y) {
        zwlr_virtual_pointer_v1_motion_absolute(device_, EventTime(), static_cast<uint32_t>(x),
                                                static_cast<uint32_t>(y), width_, height_);
        Frame();
    }
    void Button(uint32_t code, wl_pointer_button_state state) {
        zwlr_virtual_pointer_v1_button(device_, EventTime(), code, state);
        Frame();
    }

private:
    void Frame() {
        zwlr_virtual_pointer_v1_frame(device_);
        wl_display_roundtrip(display_);
    }
    wl_display* display_;
    zwlr_virtual_pointer_v1* device_;
    uint32_t width_;
    uint32_t height_;
};

// One command line; false when it makes no sense.
bool Perform(Pointer& pointer, VirtualKeyboard& keyboard, std::string line) {
    while (!line.empty() && line.back() == '\n') line.pop_back();
    if (line.starts_with("key ")) return keyboard.ready() && keyboard.Press(line.substr(4));
    if (line.starts_with("type ")) return keyboard.ready() && keyboard.Type(line.substr(5));
    char action[16] = {};
    int v[4] = {};
    const int read =
        std::sscanf(line.c_str(), "%15s %d %d %d %d", action, &v[0], &v[1], &v[2], &v[3]);
    const bool drag = std::strcmp(action, "drag") == 0 && read == 5;
    if (!drag && !(std::strcmp(action, "click") == 0 && read >= 3)) return false;
    const uint32_t code = ButtonCode(!drag && read == 4 ? v[2] : 1);
    pointer.Move(v[0], v[1]);
    pointer.Button(code, WL_POINTER_BUTTON_STATE_PRESSED);
    constexpr int kSteps = 8;
    for (int i = 1; drag && i <= kSteps; ++i)
        pointer.Move(v[0] + (v[2] - v[0]) * i / kSteps, v[1] + (v[3] - v[1]) * i / kSteps);
    pointer.Button(code, WL_POINTER_BUTTON_STATE_RELEASED);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string action = argc > 1 ? argv[1] : "";
    if (action != "token" && action != "devices") return Usage();

    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("no Wayland display\n", stderr);
        return 1;
    }
    Globals g;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &g);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);

    if (action == "token") {
        if (!g.activation) return std::fputs("no xdg-activation\n", stderr), 1;
        xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(g.activation);
        xdg_activation_token_v1_add_listener(token, &kTokenListener, &g);
        xdg_activation_token_v1_commit(token);
        while (g.token.empty() && wl_display_dispatch(display) != -1) {
        }
        std::printf("%s\n", g.token.c_str());
        return g.token.empty() ? 1 : 0;
    }

    if (!g.pointers || g.width <= 0) return std::fputs("no virtual pointer\n", stderr), 1;
    if (!g.keyboards || !g.seat) return std::fputs("no virtual keyboard\n", stderr), 1;
    {
        Pointer pointer(display, g);
        VirtualKeyboard keyboard(display, g.keyboards, g.seat);
        std::puts("ready");
        std::fflush(stdout);
        char line[512];
        while (std::fgets(line, sizeof line, stdin)) {
            std::puts(Perform(pointer, keyboard, line) ? "ok" : "bad command");
            std::fflush(stdout);
        }
    }
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
