#pragma once
// The screens the main window carries: built with the window, initialised during its
// WM_INITDIALOG and offered every widget event before the window's own handling.
#include "ui/Events.h"
#include "ui/WinDefs.h"

namespace SOUI {
class SWindow;
}

class MainPanel {
public:
    virtual ~MainPanel() = default;
    virtual void Init(SOUI::SWindow* root, SOUI::HWND window) = 0;
    // True when the panel handled the event.
    virtual bool OnEvent(SOUI::EventArgs* e) = 0;
};
