#include "KeyboardLayout.h"

#include <cmath>

namespace {

// Unit columns of the three blocks.
constexpr double NAV = 15.25;
constexpr double PAD = 18.5;

// Rows: the function row, then five rows after a quarter-unit gap.
constexpr double ROW0 = 0.0;
constexpr double ROW1 = 1.25;
constexpr double ROW2 = 2.25;
constexpr double ROW3 = 3.25;
constexpr double ROW4 = 4.25;
constexpr double ROW5 = 5.25;

void addRun(std::vector<KeyPlace>& keys, double x, double y,
            std::initializer_list<std::pair<std::wstring_view, const char*>> run) {
    for (const auto& [name, legend] : run) {
        keys.push_back({name, QString::fromUtf8(legend), x, y});
        x += 1.0;
    }
}

std::vector<KeyPlace> buildKeys() {
    std::vector<KeyPlace> k;
    // Function row.
    k.push_back({L"Esc", "Esc", 0, ROW0});
    addRun(k, 2, ROW0, {{L"F1", "F1"}, {L"F2", "F2"}, {L"F3", "F3"}, {L"F4", "F4"}});
    addRun(k, 6.5, ROW0, {{L"F5", "F5"}, {L"F6", "F6"}, {L"F7", "F7"}, {L"F8", "F8"}});
    addRun(k, 11, ROW0, {{L"F9", "F9"}, {L"F10", "F10"}, {L"F11", "F11"}, {L"F12", "F12"}});
    addRun(k, NAV, ROW0,
           {{L"PrintScreen", "PrtSc"}, {L"ScrollLock", "ScrLk"}, {L"Pause", "Pause"}});

    // Number row.
    addRun(k, 0, ROW1,
           {{L"~", "~"},
            {L"1", "1"},
            {L"2", "2"},
            {L"3", "3"},
            {L"4", "4"},
            {L"5", "5"},
            {L"6", "6"},
            {L"7", "7"},
            {L"8", "8"},
            {L"9", "9"},
            {L"0", "0"},
            {L"-", "-"},
            {L"=", "="}});
    k.push_back({L"Backspace", "Backspace", 13, ROW1, 2});
    addRun(k, NAV, ROW1, {{L"Insert", "Ins"}, {L"Home", "Home"}, {L"PageUp", "PgUp"}});
    addRun(k, PAD, ROW1, {{L"NumLock", "Num"}, {L"Pad /", "/"}, {L"Pad *", "*"}, {L"Pad -", "-"}});

    // Top letter row.
    k.push_back({L"Tab", "Tab", 0, ROW2, 1.5});
    addRun(k, 1.5, ROW2,
           {{L"Q", "Q"},
            {L"W", "W"},
            {L"E", "E"},
            {L"R", "R"},
            {L"T", "T"},
            {L"Y", "Y"},
            {L"U", "U"},
            {L"I", "I"},
            {L"O", "O"},
            {L"P", "P"},
            {L"[", "["},
            {L"]", "]"}});
    k.push_back({L"\\", "\\", 13.5, ROW2, 1.5});
    addRun(k, NAV, ROW2, {{L"Delete", "Del"}, {L"End", "End"}, {L"PageDown", "PgDn"}});
    addRun(k, PAD, ROW2, {{L"Pad 7", "7"}, {L"Pad 8", "8"}, {L"Pad 9", "9"}});
    k.push_back({L"Pad +", "+", PAD + 3, ROW2, 1, 2});

    // Home row; the key left of Enter is the international one that sends the
    // same code as the backslash key.
    k.push_back({L"CapsLock", "Caps", 0, ROW3, 1.75});
    addRun(k, 1.75, ROW3,
           {{L"A", "A"},
            {L"S", "S"},
            {L"D", "D"},
            {L"F", "F"},
            {L"G", "G"},
            {L"H", "H"},
            {L"J", "J"},
            {L"K", "K"},
            {L"L", "L"},
            {L";", ";"},
            {L"'", "'"},
            {L"ISO#", "#"}});
    k.push_back({L"Enter", "Enter", 13.75, ROW3, 1.25});
    addRun(k, PAD, ROW3, {{L"Pad 4", "4"}, {L"Pad 5", "5"}, {L"Pad 6", "6"}});

    // Bottom letter row with the two international keys beside the shifts.
    k.push_back({L"ShiftLeft", "Shift", 0, ROW4, 1.25});
    addRun(k, 1.25, ROW4,
           {{L"ISO\\", "K45"},
            {L"Z", "Z"},
            {L"X", "X"},
            {L"C", "C"},
            {L"V", "V"},
            {L"B", "B"},
            {L"N", "N"},
            {L"M", "M"},
            {L",", ","},
            {L".", "."},
            {L"/", "/"},
            {L"K56", "K56"}});
    k.push_back({L"ShiftRight", "Shift", 13.25, ROW4, 1.75});
    k.push_back({L"ArrowUp", "\u2191", NAV + 1, ROW4});
    addRun(k, PAD, ROW4, {{L"Pad 1", "1"}, {L"Pad 2", "2"}, {L"Pad 3", "3"}});
    k.push_back({L"Pad Enter", "Enter", PAD + 3, ROW4, 1, 2});

    // Modifier row.
    k.push_back({L"CtrlLeft", "Ctrl", 0, ROW5, 1.25});
    k.push_back({L"WinLeft", "Win", 1.25, ROW5, 1.25});
    k.push_back({L"AltLeft", "Alt", 2.5, ROW5, 1.25});
    k.push_back({L"SpaceBar", "", 3.75, ROW5, 6});
    addRun(k, 9.75, ROW5,
           {{L"AltRight", "Alt"}, {L"WinRight", "Win"}, {L"Fn", "Fn"}, {L"App", "Menu"}});
    k.push_back({L"CtrlRight", "Ctrl", 13.75, ROW5, 1.25});
    addRun(k, NAV, ROW5,
           {{L"ArrowLeft", "\u2190"}, {L"ArrowDown", "\u2193"}, {L"ArrowRight", "\u2192"}});
    k.push_back({L"Pad 0", "0", PAD, ROW5, 2});
    k.push_back({L"Pad .", ".", PAD + 2, ROW5});

    // The key above the keypad has no light; it only takes an assignment.
    k.push_back({L"Fn", "Fn", PAD + 3, ROW0, 1, 1, false});
    return k;
}

int px(double origin, double units) {
    return static_cast<int>(std::lround(origin + units * PictureGeometry::UNIT));
}

}  // namespace

const std::vector<KeyPlace>& KeyboardKeys() {
    static const std::vector<KeyPlace> keys = buildKeys();
    return keys;
}

std::vector<KeyPlace> LitKeys() {
    std::vector<KeyPlace> lit;
    for (const KeyPlace& key : KeyboardKeys())
        if (key.lit) lit.push_back(key);
    return lit;
}

QRect PictureGeometry::KeyRect(const KeyPlace& key) {
    const int left = px(ORIGIN_X, key.x);
    const int top = px(ORIGIN_Y, key.y);
    const int right = px(ORIGIN_X, key.x + key.w);
    const int bottom = px(ORIGIN_Y, key.y + key.h);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
        .adjusted(CAP_INSET, CAP_INSET, -CAP_INSET, -CAP_INSET);
}

QRect PictureGeometry::CaseRect() {
    constexpr int margin = 14;
    return QRect(
        QPoint(px(ORIGIN_X, 0) - margin, px(ORIGIN_Y, 0) - margin),
        QPoint(px(ORIGIN_X, WIDTH_UNITS) + margin - 1, px(ORIGIN_Y, HEIGHT_UNITS) + margin - 1));
}
