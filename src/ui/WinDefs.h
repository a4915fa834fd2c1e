#pragma once
// Window-message vocabulary shared by the toolkit and the program. The numbers are the
// classic desktop ones so handling tables read the same on every platform.
#include <cstdint>

#include "store/ShapeFlags.h"

namespace SOUI {

using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using BOOL = int;
// A window handle is a process-unique serial number, never a pointer, so a stale handle
// can be recognised instead of dereferenced.
using HWND = WindowHandle;
constexpr HWND kNoWindow = 0;
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr UINT WM_USER = 0x0400;
// Carries one change of the shape store to the window's thread.
constexpr UINT UM_SHAPE_CHANGE = WM_USER + 0x1000;

constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;

constexpr int EN_CHANGE = 0x0300;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

// Widget state bits used for drawing and reported by state-change events.
constexpr std::uint32_t WndState_Hover = 1;
constexpr std::uint32_t WndState_PushDown = 2;
constexpr std::uint32_t WndState_Check = 4;
constexpr std::uint32_t WndState_Disable = 16;

constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
    return static_cast<WPARAM>((lo & 0xFFFFu) | ((hi & 0xFFFFu) << 16));
}
constexpr unsigned LOWORD(std::uintptr_t v) {
    return static_cast<unsigned>(v & 0xFFFFu);
}
constexpr unsigned HIWORD(std::uintptr_t v) {
    return static_cast<unsigned>((v >> 16) & 0xFFFFu);
}

struct POINT {
    int x = 0;
    int y = 0;
};

// One queued message as a loop filter sees it; pt is in screen coordinates.
struct MSG {
    HWND hwnd = kNoWindow;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    POINT pt;
};

}  // namespace SOUI
