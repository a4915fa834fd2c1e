#include <gtest/gtest.h>

#include <filesystem>

#include "ops/KeyNames.h"
#include "ops/KeyPositions.h"
#include "records/KeyTable.h"

namespace {

const std::filesystem::path kUiFolder = std::filesystem::path(KEYLUME_SOURCE_DIR) / "uires";

TEST(KeyPositions, ReadsTheProgramsKeyPictures) {
    const KeyPositions colours = KeyPositions::Read(KeyPositions::ColourKeysFile(kUiFolder));
    const KeyPositions codes = KeyPositions::Read(KeyPositions::AssignKeysFile(kUiFolder));
    EXPECT_EQ(colours.keys().size(), 108u);
    EXPECT_EQ(codes.keys().size(), 109u);
    // Every key the pictures name is a key of the key table, so the parser accepts it.
    for (const KeyPosition& key : codes.keys())
        EXPECT_NE(keynames::Find(keynames::ToText(key.name)), nullptr)
            << keynames::ToText(key.name);
}

TEST(KeyPositions, FindsKeysWithoutRegardToCaseAndKeepsDoubledNames) {
    const KeyPositions keys({{L"Esc", 0, 0}, {L"Pad 7", 5, 55}, {L"\\", 7, 50}, {L"\\", 9, 70}});
    ASSERT_EQ(keys.Find("ESC").size(), 1u);
    EXPECT_EQ(keys.Find("pad 7").front().order, 5);
    EXPECT_EQ(keys.Find("\\").size(), 2u);
    EXPECT_TRUE(keys.Find("Pad7").empty());
    EXPECT_TRUE(keys.Find("").empty());
    ASSERT_NE(keys.ByIndex(70), nullptr);
    EXPECT_EQ(keys.ByIndex(70)->order, 9);
    EXPECT_EQ(keys.ByIndex(1), nullptr);
}

TEST(KeyPositions, AMissingFileHasNoKeys) {
    EXPECT_TRUE(KeyPositions::Read(kUiFolder / "no-such-file.xml").empty());
}

TEST(KeyNames, MatchesTheKeyTableIgnoringCase) {
    ASSERT_NE(keynames::Find("arrowup"), nullptr);
    EXPECT_EQ(keynames::Find("arrowup")->usage, 0x52);
    EXPECT_NE(keynames::Find("\xE2\x80\x98"), nullptr);  // the quote key, outside ASCII
    EXPECT_EQ(keynames::Find("Arrow Up"), nullptr);
    EXPECT_EQ(keynames::Find(""), nullptr);
}

}  // namespace
