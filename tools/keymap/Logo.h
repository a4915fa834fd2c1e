#pragma once

#include <QImage>

// The program icon: a key cap lit from below by a rainbow glow, size by size.
QImage LogoPicture(int size);
