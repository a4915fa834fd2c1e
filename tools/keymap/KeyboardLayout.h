#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>
#include <vector>

// One key of the keyboard picture, placed on a grid of key units (1 unit = one
// letter key including the gap around it).
struct KeyPlace {
    std::wstring_view name;  // the key's name in the key table
    QString legend;          // what the cap shows
    double x;                // left edge, units
    double y;                // top edge, units
    double w = 1.0;          // width, units
    double h = 1.0;          // height, units
    bool lit = true;         // has a light of its own (a key colour index)
};

inline constexpr int LIT_KEY_COUNT = 108;
inline constexpr int CODED_KEY_COUNT = 109;

// Every key in key-code order: the lit keys row by row, left to right, in the
// order of the keyboard's key colours, then the unlit key.
const std::vector<KeyPlace>& KeyboardKeys();

// The lit keys, in key colour order (the first LIT_KEY_COUNT of KeyboardKeys()).
std::vector<KeyPlace> LitKeys();

// Pixel geometry of one picture state.
struct PictureGeometry {
    static constexpr int UNIT = 46;      // pixels per key unit
    static constexpr int CAP_INSET = 2;  // pixels between a key's cell and its cap
    static constexpr int ORIGIN_X = 32;  // where unit (0, 0) lies
    static constexpr int ORIGIN_Y = 21;
    static constexpr QSize SIZE{1100, 330};  // one state
    static constexpr double WIDTH_UNITS = 22.5;
    static constexpr double HEIGHT_UNITS = 6.25;

    // The key's cap in pixels; this is also its clickable rectangle.
    static QRect KeyRect(const KeyPlace& key);
    // The keyboard case around all keys.
    static QRect CaseRect();
};
