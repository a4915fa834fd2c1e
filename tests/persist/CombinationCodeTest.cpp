#include "persist/CombinationCode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using persist::KeyPair;
using persist::ParseCombinationCode;
using Pairs = std::vector<KeyPair>;

TEST(CombinationCode, ReadsPairsInOrder) {
    EXPECT_EQ(ParseCombinationCode("224:0, 6:0"), (Pairs{{224, 0}, {6, 0}}));
    EXPECT_EQ(ParseCombinationCode("6:0,224:0"), (Pairs{{6, 0}, {224, 0}}));
}

TEST(CombinationCode, MissingSecondReadsZero) {
    EXPECT_EQ(ParseCombinationCode("5"), (Pairs{{5, 0}}));
    EXPECT_EQ(ParseCombinationCode("5:"), (Pairs{{5, 0}}));
}

TEST(CombinationCode, ThirdPartIsIgnoredAndBlankTokensSkipped) {
    EXPECT_EQ(ParseCombinationCode("1:2:3, ,4"), (Pairs{{1, 2}, {4, 0}}));
    EXPECT_EQ(ParseCombinationCode(",,7,"), (Pairs{{7, 0}}));
    EXPECT_TRUE(ParseCombinationCode("").empty());
    EXPECT_TRUE(ParseCombinationCode("  ,  ").empty());
}

TEST(CombinationCode, SpacesInsideNumbersAreRemovedFirst) {
    EXPECT_EQ(ParseCombinationCode("2 2 4 : 1 0"), (Pairs{{224, 10}}));
}

TEST(CombinationCode, TokenOfColonsAloneIsSkipped) {
    EXPECT_EQ(ParseCombinationCode("1:2,::,3"), (Pairs{{1, 2}, {3, 0}}));
    EXPECT_EQ(ParseCombinationCode(":"), Pairs{});
    EXPECT_EQ(ParseCombinationCode("1 , : : ,2"), (Pairs{{1, 0}, {2, 0}}));
}

TEST(CombinationCode, EmptyFirstPartWithSecondStillCounts) {
    EXPECT_EQ(ParseCombinationCode(":5"), (Pairs{{0, 5}}));
}

TEST(CombinationCode, PartsFollowSignedDecimalRules) {
    EXPECT_EQ(ParseCombinationCode("-3:+4"), (Pairs{{-3, 4}}));
    EXPECT_EQ(ParseCombinationCode("0x10:abc"), (Pairs{{0, 0}}));
    EXPECT_EQ(ParseCombinationCode("99999999999:-99999999999"),
              (Pairs{{2147483647, -2147483647 - 1}}));
}

}  // namespace
