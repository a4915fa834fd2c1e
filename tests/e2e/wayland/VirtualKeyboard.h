#pragma once
// A keyboard of the compositor's seat made through the virtual keyboard protocol, with the
// common US layout: keys by the names the scenarios use ("Return", "Down", "ctrl+a") and
// text of that layout's characters.
#include <wayland-client.h>

#include <cstdint>
#include <string>

struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

extern const wl_interface zwp_virtual_keyboard_manager_v1_interface;

class VirtualKeyboard {
public:
    VirtualKeyboard(wl_display* display, zwp_virtual_keyboard_manager_v1* manager, wl_seat* seat);
    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    bool ready() const { return device_ != nullptr; }
    // False for a name or character the layout has no key for; nothing is sent then.
    bool Press(const std::string& keys);
    bool Type(const std::string& text);

private:
    void Key(unsigned code, bool pressed);
    void Hold(uint32_t modifiers);
    void Stroke(unsigned code, uint32_t modifiers);

    wl_display* display_;
    zwp_virtual_keyboard_v1* device_ = nullptr;
};
