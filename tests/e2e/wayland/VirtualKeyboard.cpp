#include "VirtualKeyboard.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "EventTime.h"

// The virtual keyboard protocol (version 1), declared here: no Debian package ships its XML.
//   manager: create_virtual_keyboard(seat: wl_seat, id: new zwp_virtual_keyboard_v1)
//   keyboard: keymap(format, fd, size), key(time, key, state),
//             modifiers(depressed, latched, locked, group), destroy()
extern const wl_interface zwp_virtual_keyboard_v1_interface;
namespace {
const wl_interface* kTypes[] = {
    nullptr, nullptr, nullptr, nullptr, &wl_seat_interface, &zwp_virtual_keyboard_v1_interface};
const wl_message kManagerRequests[] = {{"create_virtual_keyboard", "on", kTypes + 4}};
const wl_message kKeyboardRequests[] = {{"keymap", "uhu", kTypes},
                                        {"key", "uuu", kTypes},
                                        {"modifiers", "uuuu", kTypes},
                                        {"destroy", "", kTypes}};
enum Request : uint32_t {
    kKeymapRequest = 0,
    kKeyRequest = 1,
    kModifiersRequest = 2,
    kDestroyRequest = 3
};
constexpr uint32_t kXkbKeymapFormat = 1;
}  // namespace
const wl_interface zwp_virtual_keyboard_manager_v1_interface = {
    "zwp_virtual_keyboard_manager_v1", 1, 1, kManagerRequests, 0, nullptr};
const wl_interface zwp_virtual_keyboard_v1_interface = {"zwp_virtual_keyboard_v1", 1, 4,
                                                        kKeyboardRequests,         0, nullptr};

namespace {

// The compositor compiles the layout from its own XKB data.
constexpr const char* kKeymap =
    "xkb_keymap { xkb_keycodes { include \"evdev+aliases(qwerty)\" }; "
    "xkb_types { include \"complete\" }; xkb_compat { include \"complete\" }; "
    "xkb_symbols { include \"pc+us+inet(evdev)\" }; };";

struct KeyStroke {
    unsigned code;
    bool shifted;
};

// The US layout's characters: each row's keys plain, then shifted.
std::optional<KeyStroke> StrokeFor(char c) {
    static const std::map<char, KeyStroke> strokes = [] {
        std::map<char, KeyStroke> all;
        const struct {
            const char* plain;
            const char* shifted;
            unsigned first;
        } rows[] = {{"1234567890-=", "!@#$%^&*()_+", KEY_1},
                    {"qwertyuiop[]", "QWERTYUIOP{}", KEY_Q},
                    {"asdfghjkl;'`", "ASDFGHJKL:\"~", KEY_A},
                    {"\\zxcvbnm,./", "|ZXCVBNM<>?", KEY_BACKSLASH}};
        for (const auto& row : rows)
            for (unsigned i = 0; row.plain[i]; ++i) {
                all[row.plain[i]] = {row.first + i, false};
                all[row.shifted[i]] = {row.first + i, true};
            }
        all[' '] = {KEY_SPACE, false};
        return all;
    }();
    const auto found = strokes.find(c);
    if (found == strokes.end()) return std::nullopt;
    return found->second;
}

// A keymap's real modifiers come first, in this order: Shift, Lock, Control, Mod1 (Alt), ...,
// Mod4 (Super). The compositor takes them from the modifiers request alone.
constexpr uint32_t kShift = 1u << 0;
uint32_t ModifierFor(const std::string& name) {
    static const std::map<std::string, uint32_t> modifiers = {
        {"shift", kShift}, {"ctrl", 1u << 2}, {"alt", 1u << 3}, {"super", 1u << 6}};
    const auto found = modifiers.find(name);
    return found == modifiers.end() ? 0 : found->second;
}

std::optional<unsigned> CodeFor(const std::string& name) {
    static const std::map<std::string, unsigned> named = {
        {"Return", KEY_ENTER},  {"Escape", KEY_ESC},
        {"Tab", KEY_TAB},       {"BackSpace", KEY_BACKSPACE},
        {"Delete", KEY_DELETE}, {"space", KEY_SPACE},
        {"Up", KEY_UP},         {"Down", KEY_DOWN},
        {"Left", KEY_LEFT},     {"Right", KEY_RIGHT},
        {"Home", KEY_HOME},     {"End", KEY_END},
    };
    if (const auto found = named.find(name); found != named.end()) return found->second;
    if (name.size() == 1)
        if (const auto stroke = StrokeFor(name[0]); stroke && !stroke->shifted) return stroke->code;
    return std::nullopt;
}

}  // namespace

VirtualKeyboard::VirtualKeyboard(wl_display* display, zwp_virtual_keyboard_manager_v1* manager,
                                 wl_seat* seat)
    : display_(display) {
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const std::size_t size = std::strlen(kKeymap) + 1;
    if (fd < 0 || write(fd, kKeymap, size) != static_cast<ssize_t>(size)) {
        if (fd >= 0) close(fd);
        return;
    }
    auto* proxy = reinterpret_cast<wl_proxy*>(manager);
    device_ = reinterpret_cast<zwp_virtual_keyboard_v1*>(
        wl_proxy_marshal_flags(proxy, 0, &zwp_virtual_keyboard_v1_interface,
                               wl_proxy_get_version(proxy), 0, seat, nullptr));
    wl_proxy_marshal_flags(reinterpret_cast<wl_proxy*>(device_), kKeymapRequest, nullptr, 1, 0,
                           kXkbKeymapFormat, fd, static_cast<uint32_t>(size));
    close(fd);
    wl_display_roundtrip(display_);
}

VirtualKeyboard::~VirtualKeyboard() {
    if (device_)
        wl_proxy_marshal_flags(reinterpret_cast<wl_proxy*>(device_), kDestroyRequest, nullptr, 1,
                               WL_MARSHAL_FLAG_DESTROY);
}

void VirtualKeyboard::Key(unsigned code, bool pressed) {
    wl_proxy_marshal_flags(reinterpret_cast<wl_proxy*>(device_), kKeyRequest, nullptr, 1, 0,
                           EventTime(), code, pressed ? 1u : 0u);
    wl_display_roundtrip(display_);
}

void VirtualKeyboard::Hold(uint32_t modifiers) {
    wl_proxy_marshal_flags(reinterpret_cast<wl_proxy*>(device_), kModifiersRequest, nullptr, 1, 0,
                           modifiers, 0u, 0u, 0u);
    wl_display_roundtrip(display_);
}

void VirtualKeyboard::Stroke(unsigned code, uint32_t modifiers) {
    if (modifiers) Hold(modifiers);
    Key(code, true);
    Key(code, false);
    if (modifiers) Hold(0);
}

bool VirtualKeyboard::Press(const std::string& keys) {
    // "ctrl+a": the modifiers held around the last key.
    uint32_t modifiers = 0;
    std::size_t at = 0;
    for (std::size_t plus; (plus = keys.find('+', at)) != std::string::npos; at = plus + 1) {
        const uint32_t modifier = ModifierFor(keys.substr(at, plus - at));
        if (!modifier) return false;
        modifiers |= modifier;
    }
    const auto code = CodeFor(keys.substr(at));
    if (!code) return false;
    Stroke(*code, modifiers);
    return true;
}

bool VirtualKeyboard::Type(const std::string& text) {
    std::vector<KeyStroke> strokes;
    for (char c : text) {
        const auto stroke = StrokeFor(c);
        if (!stroke) return false;
        strokes.push_back(*stroke);
    }
    for (const auto& stroke : strokes) Stroke(stroke.code, stroke.shifted ? kShift : 0);
    return true;
}
