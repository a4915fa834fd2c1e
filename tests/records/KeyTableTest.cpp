#include <gtest/gtest.h>

#include <set>
#include <string>

#include "records/KeyTable.h"

namespace {

using namespace std::string_view_literals;

TEST(KeyTable, ByCodeSeparatesExtendedKeys) {
    EXPECT_EQ(FindKeyByCode(0x52).name, L"Pad 0"sv);
    EXPECT_EQ(FindKeyByCode(0x152).name, L"Insert"sv);
    EXPECT_EQ(FindKeyByCode(0x1C).name, L"Enter"sv);
    EXPECT_EQ(FindKeyByCode(0x11C).name, L"Pad Enter"sv);
    EXPECT_EQ(FindKeyByCode(0x11C).usage, 0x58);
}

TEST(KeyTable, ByVirtualKeyTakesTheFirstMatchingRow) {
    const auto& numLockOff = FindKeyByVirtualKey(0x2D, 0);
    EXPECT_EQ(numLockOff.name, L"Insert/Pad 0"sv);
    EXPECT_EQ(numLockOff.usage, 0x62);
    const auto& insert = FindKeyByVirtualKey(0x2D, 1);
    EXPECT_EQ(insert.name, L"Insert"sv);
    EXPECT_EQ(insert.usage, 0x49);

    const auto& genericShift = FindKeyByVirtualKey(0x10, 0);
    EXPECT_EQ(genericShift.name, L"ShiftLeft"sv);
    EXPECT_EQ(&genericShift, &KeyTableEntries()[118]);
    EXPECT_EQ(&FindKeyByVirtualKey(0xA0, 0), &KeyTableEntries()[75]);
}

TEST(KeyTable, ByVirtualKeyUsesOnlyLow16BitsAndFlagBitZero) {
    EXPECT_EQ(FindKeyByVirtualKey(0x10041, 0x10).name, L"A"sv);
    EXPECT_EQ(FindKeyByVirtualKey(0x2D, 0x81).name, L"Insert"sv);
    EXPECT_TRUE(FindKeyByVirtualKey(0xA1, 0).isEmpty());
    EXPECT_EQ(FindKeyByVirtualKey(0xA1, 1).name, L"ShiftRight"sv);
}

TEST(KeyTable, ByUsageGivesKeyCodeAndFirstName) {
    const auto& shift = FindKeyByUsage(0xE1);
    EXPECT_EQ(shift.code(), 0x2A);
    EXPECT_EQ(shift.name, L"ShiftLeft"sv);
    EXPECT_EQ(&shift, &KeyTableEntries()[75]);
    const auto& mouse = FindKeyByUsage(0xA5);
    EXPECT_EQ(mouse.code(), 0x1FE);
    EXPECT_EQ(mouse.name, L"mouse left lick"sv);
    // Keypad 0 is listed before its NumLock-off twin.
    EXPECT_EQ(FindKeyByUsage(0x62).name, L"Pad 0"sv);
}

TEST(KeyTable, UnknownKeysGiveTheEmptyEntry) {
    for (const KeyTableEntry* e :
         {&FindKeyByCode(0x1FF), &FindKeyByCode(0x252), &FindKeyByVirtualKey(0x07, 0),
          &FindKeyByUsage(0x00), &FindKeyByUsage(0x101)}) {
        EXPECT_EQ(e, &EmptyKeyEntry());
        EXPECT_EQ(e->name, L""sv);
        EXPECT_EQ(e->usage, 0);
        EXPECT_EQ(e->code(), 0);
    }
    EXPECT_EQ(FindKeyByCode(0xFF).name, L"Fn"sv);
}

TEST(KeyTable, ApostropheKeyIsNamedWithTheAsciiApostrophe) {
    const auto& key = FindKeyByUsage(0x34);
    ASSERT_EQ(key.name.size(), 1u);
    EXPECT_EQ(key.name[0], L'\'');
    EXPECT_EQ(&key, &KeyTableEntries()[70]);
}

// Every row must be reachable by its own key code unless an earlier row
// already claims that code; this catches a mistyped or reordered row.
TEST(KeyTable, EveryRowIsFoundByCodeUnlessShadowedByAnEarlierRow) {
    std::set<std::uint16_t> seen;
    const auto keys = KeyTableEntries();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto& found = FindKeyByCode(keys[i].code());
        if (seen.insert(keys[i].code()).second)
            EXPECT_EQ(&found, &keys[i]) << "row " << i;
        else
            EXPECT_LT(&found, &keys[i]) << "row " << i;
        EXPECT_FALSE(keys[i].name.empty()) << "row " << i;
    }
}

}  // namespace
