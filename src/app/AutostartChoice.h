#pragma once
// "Start with the desktop": the desktop's autostart entry that starts this program in the
// background, written or removed from the window's menu.
#include <QString>

#include "ui/SOUI.h"

// Whether the entry is there.
bool AutostartChosen();
// Writes the entry when it is not there and removes it when it is; tells the user in a message
// box over `owner` when that failed. `emulation` (empty: the real keyboard) is started again.
void ToggleAutostart(SOUI::HWND owner, const QString& emulation);
