#pragma once
// The plain moves of a user's hand on toolkit widgets, without waiting for what they cause:
// shared by the GoogleTest suites and the soak program.
#include <QPoint>

#include "ui/SOUI.h"
#include "widgets/CoordButtonImage.h"

namespace widgetinput {

// Clicks a button, box or radio; other widgets fire their command.
void Press(SOUI::SWindow& widget);

// A mouse message at a point of a key picture (its own coordinates), through the UI thread's
// message filter where real input arrives.
void MouseAt(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
             QPoint point);
// The same at the centre of the key at `position`; false when there is no such key.
bool MouseOnKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
                int position);

}  // namespace widgetinput
