#pragma once

#include <QImage>
#include <vector>

#include "KeyboardLayout.h"

// The two pages that show the keyboard.
enum class PicturePage { Lighting, Assignment };

inline constexpr int PICTURE_STATES = 4;  // normal, hover, checked, disabled

// The keyboard picture as a strip of PICTURE_STATES equal states side by side.
// Inside every key rectangle the hover and checked states already hold their
// bitwise OR with the normal state, so copying a key from them looks the same
// whether it is copied plainly or OR-ed onto the normal picture. A `scale` of 2
// draws it with twice the pixels in each direction, for screens of that density.
QImage KeyboardPicture(PicturePage page, int scale = 1);

// The keys that are buttons on that page, in key order.
std::vector<KeyPlace> PageKeys(PicturePage page);
