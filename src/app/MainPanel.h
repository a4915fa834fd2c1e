#pragma once
// The screens the main window carries: built with the window, initialised during its
// WM_INITDIALOG and offered every widget event before the window's own handling.
#include <functional>

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
    // Saves the keyboard's settings to a file the user picks (true when saved); a panel that
    // erases the keyboard offers it first.
    virtual void SetExporter(std::function<bool(SOUI::HWND owner)> exporter) = 0;
};
