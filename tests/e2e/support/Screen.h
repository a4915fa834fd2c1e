#pragma once
// What is on the screen, as a user sees it: the X server's root window read with xwd.
#include <QColor>
#include <QImage>
#include <QRect>

namespace e2e {

class Desktop;

// The whole screen; a null image when it could not be read.
QImage Capture(const Desktop& desktop);

// Decodes an xwd dump of a 24- or 32-bit true-colour screen.
QImage DecodeXwd(const QByteArray& dump);

// The colour most pixels of `region` have (ties: the first seen).
QColor MainColour(const QImage& image, const QRect& region);

// Whether two captures differ inside `region` by more than noise.
bool RegionChanged(const QImage& before, const QImage& after, const QRect& region);

// How far apart two colours are: the largest difference of a channel.
int ColourDistance(const QColor& a, const QColor& b);

}  // namespace e2e
