#pragma once

#include <QImage>

// The colour panel's spectrum: hue across, from white at the top through the
// pure hues to dark at the bottom. Fully opaque, so every pixel is a colour.
QImage SpectrumPicture(int width = 256, int height = 160);
