// The arrow keys move between the keys of the real keyboard pictures as the keys lie.
#include <gtest/gtest.h>

#include <string>

#include "widgets/CoordsFile.h"
#include "widgets/KeyNavigation.h"

namespace {

using SOUI::NeighbourKey;

int PositionOf(const std::vector<CoordButtonInfo>& keys, const std::wstring& name) {
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].name == name) return static_cast<int>(i);
    return -1;
}

TEST(KeyNavigation, ArrowsGoToTheNearestKeyThatWayOnBothPictures) {
    struct Case {
        const wchar_t* from;
        int dx, dy;
        const wchar_t* to;
    };
    const Case cases[] = {
        {L"Esc", 1, 0, L"F1"},      {L"F1", 0, 1, L"2"},     {L"A", 1, 0, L"S"},
        {L"A", -1, 0, L"CapsLock"}, {L"S", 0, -1, L"W"},     {L"W", 0, 1, L"S"},
        {L"Esc", -1, 0, L"Esc"},    {L"Esc", 0, -1, L"Esc"},  // nothing that way: it stays
        {L"Pad 4", 0, 1, L"Pad 1"},
    };
    for (const char* file : {"/coords/keys_macro.xml", "/coords/keys_led.xml"}) {
        const auto keys = SOUI::ReadCoordsFile(std::string(KEYLUME_SOURCE_UIRES) + file);
        ASSERT_FALSE(keys.empty()) << file;
        for (const Case& c : cases) {
            const int from = PositionOf(keys, c.from);
            if (from < 0) continue;  // a key one picture does not show
            const int to = NeighbourKey(keys, from, c.dx, c.dy);
            ASSERT_GE(to, 0);
            EXPECT_EQ(keys[static_cast<size_t>(to)].name, c.to)
                << file << ": from " << std::string(c.from, c.from + wcslen(c.from)) << " by "
                << c.dx << "," << c.dy;
        }
    }
}

TEST(KeyNavigation, BadPositionsAndEmptyKeysAreLeftAlone) {
    std::vector<CoordButtonInfo> keys(3);
    keys[0].rect = {0, 0, 10, 10};
    keys[2].rect = {20, 0, 30, 10};  // keys[1] has no area and is never chosen
    EXPECT_EQ(NeighbourKey(keys, 0, 1, 0), 2);
    EXPECT_EQ(NeighbourKey(keys, -1, 1, 0), -1);
    EXPECT_EQ(NeighbourKey(keys, 3, 1, 0), 3);
    EXPECT_EQ(NeighbourKey({}, 0, 1, 0), 0);
}

}  // namespace
