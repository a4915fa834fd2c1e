#pragma once
// Fits a host window into the free area of its screen. A window whose layout is larger than
// that area takes the area's size; its content then scrolls, while its title bar stays across
// the top of what is shown and a dialog's footer across the bottom, so the window's own buttons
// are always in reach.
#include <QRect>
#include <QSize>

class QWidget;

namespace SOUI {

class SWindow;

// Sizes `frame` for its `design` size (scrolling `root` when it does not fit) and centres it
// within `area`, never outside it.
void FitIntoArea(QWidget* frame, SWindow* root, QSize design, const QRect& area);

// The scroll area FitIntoArea put between `frame` and its root; nullptr while none is needed.
QWidget* ScrollerOf(const QWidget* frame);

}  // namespace SOUI
