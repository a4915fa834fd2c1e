#pragma once
// Input as a user gives it, for tests over the program's real windows: mouse messages on a key
// picture through the UI thread's message filter, and presses and key strokes on a dialog the
// program runs modally. Each step lets the store and the event loop settle.
#include "WidgetInput.h"
#include "ui/SOUI.h"
#include "widgets/CoordButtonImage.h"

namespace userinput {

// Waits for the store and runs posted messages until both are quiet.
void Settle();

// Mouse input on a key picture (see WidgetInput.h).
using widgetinput::MouseAt;
void MouseOnKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
                int position);
void ClickKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, int position);

// Presses a button or box of a dialog by name.
void PressIn(SOUI::SHostDialog& dialog, const char* name);
// Types a key, given by its input layer code, on the dialog's window.
void TypeIn(SOUI::SHostDialog& dialog, unsigned evdev);

}  // namespace userinput
