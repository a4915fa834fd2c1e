#pragma once
// What a user's hand does on the program's windows: clicks, choices, slides, mouse input on
// the key pictures and typing, each followed by the events it causes.
#include <random>

#include "SoakRig.h"
#include "screens/support/WidgetInput.h"
#include "widgets/CoordButtonImage.h"

namespace soak {

// Shown on screen and enabled: a user can reach it.
bool Reachable(SOUI::SHostWnd& host, SOUI::SWindow* widget);

// Clicks a button, box or radio as the user would.
void Press(SOUI::SWindow* widget);
// Chooses an entry of a combo box through its control, as a click in its list does.
void Choose(SOUI::SComboBox* combo, int entry);
void Slide(SOUI::SSliderBar* slider, int position);
// A left click at a point of a widget, in widget coordinates.
void ClickAt(SOUI::SWindow* widget, QPoint point);
// Mouse input on a key picture, where real input arrives.
using widgetinput::MouseOnKey;
// Types a key, given by its input layer code, on a window.
void Type(SOUI::SHostWnd& host, unsigned evdev);

int RandomBelow(std::mt19937& random, int count);

}  // namespace soak
