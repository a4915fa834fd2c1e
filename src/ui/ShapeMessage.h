#pragma once
// How a window applies a UM_SHAPE_CHANGE it did not handle itself, and how the store's
// changes reach windows at all: the shape store's window poster is installed here.
#include <functional>

#include "ui/WinDefs.h"

namespace SOUI {

// The default handling of UM_SHAPE_CHANGE: applies the change its lParam carries and
// frees it. Does nothing until the shape store's poster is installed.
void DeliverShapeChange(LPARAM lParam);

// Installs the store's window poster (UM_SHAPE_CHANGE posted as a Qt event to the window;
// a change for a window that is gone is released and never applied). Idempotent.
void InstallShapeWindowPoster();

}  // namespace SOUI
