#pragma once

#include <QFont>

// The one font family of every picture, at a pixel size.
QFont LegendFont(double pixelSize, bool bold = false);

// True when the font system resolves the family itself rather than a
// substitute; pictures drawn with a substitute would differ between machines.
bool LegendFontAvailable();
