#pragma once
// The window's export and import of the keyboard's settings: a file dialog, the keyboard backup
// through the same operations the commands use (on a thread of its own, the window painting
// meanwhile), and the outcome in a message box.
#include <QString>

#include "ops/KeyboardEndpoint.h"
#include "ui/WinDefs.h"

class SettingsBackup {
public:
    explicit SettingsBackup(KeyboardEndpoint& keyboard) : keyboard_(keyboard) {}

    // True when the file was written.
    bool Export(SOUI::HWND owner);
    // A file from a keyboard of another shape is restored in part only when the user agrees.
    void Import(SOUI::HWND owner);

private:
    KeyboardEndpoint& keyboard_;
};
