#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/WinDefs.h"

class QKeyEvent;

// What a low-level keyboard hook reports for one key event.
struct KBDLLHOOKSTRUCT {
    std::uint32_t vkCode = 0;
    std::uint32_t scanCode = 0;  // set-1 scan code without the E0 prefix
    std::uint32_t flags = 0;     // LLKHF_* bits
    std::uint32_t time = 0;
    std::uintptr_t dwExtraInfo = 0;
};

constexpr std::uint32_t LLKHF_EXTENDED = 0x01;
constexpr SOUI::UINT WM_KEYDOWN = 0x0100;
constexpr SOUI::UINT WM_KEYUP = 0x0101;
constexpr SOUI::UINT WM_SYSKEYDOWN = 0x0104;
constexpr SOUI::UINT WM_SYSKEYUP = 0x0105;
constexpr int HC_ACTION = 0;

// The program's one keyboard hook. Installed, it watches every key press and
// release the application receives, hands each to the listeners in their
// order of registration, and swallows it when a listener answers nonzero, so
// that no widget sees it. It sees keys typed while a window of the program has
// the focus.
class KeyboardHook {
public:
    // code, message (wParam) and the address of a KBDLLHOOKSTRUCT (lParam).
    using Handler = std::function<SOUI::LRESULT(int, SOUI::WPARAM&, SOUI::LPARAM&)>;

    // True when a hook is installed now; installing twice keeps one hook.
    static bool Install(void* instance = nullptr);
    static void Remove();
    static bool IsInstalled();

    // Replaces an earlier registration of the same object.
    template <class O>
    static void AddListener(O* object,
                            SOUI::LRESULT (O::*method)(int, SOUI::WPARAM&, SOUI::LPARAM&)) {
        AddListener(static_cast<const void*>(object),
                    [object, method](int code, SOUI::WPARAM& w, SOUI::LPARAM& l) {
                        return (object->*method)(code, w, l);
                    });
    }
    static void AddListener(const void* object, Handler handler);
    static void RemoveListener(const void* object);
    static int ListenerCount();

    // The hook procedure: 1 when a listener swallowed the event, else 0.
    static SOUI::LRESULT CallListeners(int code, SOUI::WPARAM wParam, SOUI::LPARAM lParam);

    // Turns a Qt key event into the hook's message and event; false for an event
    // that is no key press or release. Auto-repeated releases are no key-up.
    static bool Translate(const QKeyEvent& event, SOUI::UINT& message, KBDLLHOOKSTRUCT& info);
};
