#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

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

// What a typed name finds on the lighting picture: the one key's position, or -1 and the hint.
struct TypedKey {
    const char* typed;
    int order;
    const char* refusal;
};

class KeyNameTable : public ::testing::TestWithParam<TypedKey> {};

TEST_P(KeyNameTable, NamesOneKeyOrSaysWhatWasMeant) {
    static const KeyPositions keys = KeyPositions::Read(KeyPositions::ColourKeysFile(kUiFolder));
    const TypedKey& row = GetParam();
    const std::vector<KeyPosition> found = keys.Find(row.typed);
    if (row.order < 0) {
        EXPECT_TRUE(found.empty());
        EXPECT_EQ(keynames::Find(row.typed), nullptr);
        EXPECT_EQ(keynames::Unknown(row.typed), row.refusal);
        return;
    }
    ASSERT_EQ(found.size(), 1u) << row.typed;
    EXPECT_EQ(found.front().order, row.order) << row.typed;
    EXPECT_NE(keynames::Find(row.typed), nullptr) << row.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typed, KeyNameTable,
    ::testing::Values(TypedKey{"CapsLock", 58, ""}, TypedKey{"Caps", 58, ""},
                      TypedKey{"cAPS", 58, ""}, TypedKey{"Del", 51, ""}, TypedKey{"Ins", 30, ""},
                      TypedKey{"PrtSc", 13, ""}, TypedKey{"Menu", 101, ""},
                      TypedKey{"Ctrl", 94, ""}, TypedKey{"Shift", 75, ""}, TypedKey{"Alt", 96, ""},
                      TypedKey{"Win", 95, ""}, TypedKey{"Num", 33, ""}, TypedKey{"Return", 71, ""},
                      TypedKey{"Space", 97, ""}, TypedKey{"'", 69, ""},
                      TypedKey{"\xE2\x80\x98", 69, ""},  // as written before
                      TypedKey{"\\", 50, ""}, TypedKey{"ISO#", 70, ""}, TypedKey{"#", 70, ""},
                      TypedKey{"ISO\\", 76, ""}, TypedKey{"K45", 76, ""},
                      TypedKey{"Capz", -1, "unknown key \"Capz\"; did you mean Caps?"},
                      TypedKey{"Delet", -1, "unknown key \"Delet\"; did you mean Delete?"},
                      TypedKey{"Nope", -1, "unknown key \"Nope\""},
                      TypedKey{"", -1, "unknown key \"\""}));

TEST(KeyNames, MatchesTheKeyTableIgnoringCase) {
    ASSERT_NE(keynames::Find("arrowup"), nullptr);
    EXPECT_EQ(keynames::Find("arrowup")->usage, 0x52);
    EXPECT_NE(keynames::Find("\xE2\x80\x98"), nullptr);  // the quote key's former name
    EXPECT_EQ(keynames::Find("Arrow Up"), nullptr);
    EXPECT_EQ(keynames::Find(""), nullptr);
}

}  // namespace
