#pragma once
// The keyboard's state as the keyboard logic publishes it: one member of each of its groups. A
// screen or a command that shows or changes the keyboard holds one of these, so every holder
// joins the same groups with the same shapes.
#include "records/SharedShapes.h"

struct KeyboardView {
    KeyboardView();

    shapes::Connected connected;
    shapes::Register reg;
    shapes::Modes modes;
    shapes::Profiles profiles;
    shapes::ColourSet colourSet;
    shapes::KeyCodes keyCodes;
    shapes::KeyColours keyColours;
    shapes::SlotMacros slotMacros;  // what the keys that play a macro play
};
