#pragma once
// Creators of the two picture widgets, for the extension widget registration.
#include "widgets/ExtensionWidgets.h"

namespace SOUI {

// "cbimg" (the key map picture) and "stimage" (the colour picture).
PictureWidgetCreators PictureWidgetClasses();

}  // namespace SOUI
