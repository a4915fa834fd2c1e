#include <gtest/gtest.h>

#include <set>

#include "records/KeyTable.h"
#include "screens/EvdevKeyMap.h"

namespace {

TEST(EvdevKeyMap, EveryEntryNamesAKeyOfTheKeyTableWithTheSameCode) {
    for (const EvdevKey* key = EvdevKeysBegin(); key != EvdevKeysEnd(); ++key) {
        for (bool navigation : {false, true}) {
            const KeyTableEntry& entry =
                FindKeyByVirtualKey(EvdevVirtualKey(*key, navigation), key->extended);
            EXPECT_FALSE(entry.name.empty()) << key->evdev;
            EXPECT_EQ(entry.code(), key->scan + (key->extended ? 0x100 : 0)) << key->evdev;
        }
    }
}

TEST(EvdevKeyMap, EveryTypableRowOfTheKeyTableIsReached) {
    std::set<std::pair<int, int>> reached;  // (virtual key, extended)
    for (const EvdevKey* key = EvdevKeysBegin(); key != EvdevKeysEnd(); ++key)
        for (bool navigation : {false, true})
            reached.insert({EvdevVirtualKey(*key, navigation), key->extended});
    int rows = 0;
    for (const KeyTableEntry& entry : KeyTableEntries()) {
        // Fn never leaves the keyboard, the generic Shift and Ctrl codes are not what a
        // key event carries, and mouse buttons are no keys.
        if (entry.vkey == 0xFF || entry.vkey == 0x10 || entry.vkey == 0x11 || entry.vkey >= 0xFC)
            continue;
        ++rows;
        EXPECT_TRUE(reached.count({entry.vkey, entry.extended}))
            << std::string(entry.name.begin(), entry.name.end());
    }
    EXPECT_EQ(rows, 118);
}

TEST(EvdevKeyMap, LookupsAndKeypadNavigation) {
    ASSERT_NE(FindEvdevKey(1), nullptr);
    EXPECT_EQ(FindEvdevKey(1)->scan, 0x01);
    EXPECT_EQ(FindEvdevKey(0), nullptr);
    EXPECT_EQ(FindEvdevKey(84), nullptr);
    EXPECT_EQ(FindEvdevKey(100000), nullptr);
    const EvdevKey* kp7 = FindEvdevKey(71);
    ASSERT_NE(kp7, nullptr);
    EXPECT_EQ(EvdevVirtualKey(*kp7, false), 0x67);
    EXPECT_EQ(EvdevVirtualKey(*kp7, true), 0x24);
    const EvdevKey* home = FindEvdevKey(102);
    ASSERT_NE(home, nullptr);
    EXPECT_TRUE(home->extended);
    EXPECT_EQ(EvdevVirtualKey(*home, true), 0x24);
    EXPECT_EQ(FindEvdevKey(89)->scan, 0x73);
}

}  // namespace
