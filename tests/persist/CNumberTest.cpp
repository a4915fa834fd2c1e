#include "persist/CNumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using persist::ReadSignedDecimal;
using persist::ReadSignedHexadecimal;
using persist::ReadUnsignedDecimal;

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr uint32_t kUintMax = std::numeric_limits<uint32_t>::max();

TEST(SignedDecimal, ReadsLikeStrtolWith32BitLong) {
    EXPECT_EQ(ReadSignedDecimal("42"), 42);
    EXPECT_EQ(ReadSignedDecimal("  \t-17"), -17);
    EXPECT_EQ(ReadSignedDecimal("+8"), 8);
    EXPECT_EQ(ReadSignedDecimal("12abc"), 12);
    EXPECT_EQ(ReadSignedDecimal("0x10"), 0);
    EXPECT_EQ(ReadSignedDecimal(""), 0);
    EXPECT_EQ(ReadSignedDecimal("abc"), 0);
    EXPECT_EQ(ReadSignedDecimal("-"), 0);
    EXPECT_EQ(ReadSignedDecimal("- 5"), 0);
}

TEST(SignedDecimal, SaturatesOutOfRange) {
    EXPECT_EQ(ReadSignedDecimal("2147483647"), kIntMax);
    EXPECT_EQ(ReadSignedDecimal("2147483648"), kIntMax);
    EXPECT_EQ(ReadSignedDecimal("4294967295"), kIntMax);
    EXPECT_EQ(ReadSignedDecimal("99999999999999999999999999"), kIntMax);
    EXPECT_EQ(ReadSignedDecimal("-2147483648"), kIntMin);
    EXPECT_EQ(ReadSignedDecimal("-2147483649"), kIntMin);
    EXPECT_EQ(ReadSignedDecimal("-99999999999999999999999999"), kIntMin);
}

TEST(UnsignedDecimal, ReadsLikeStrtoulWith32BitLong) {
    EXPECT_EQ(ReadUnsignedDecimal("112"), 112u);
    EXPECT_EQ(ReadUnsignedDecimal("0x20"), 0u);
    EXPECT_EQ(ReadUnsignedDecimal(" 4294967295"), kUintMax);
    EXPECT_EQ(ReadUnsignedDecimal("4294967296"), kUintMax);
    EXPECT_EQ(ReadUnsignedDecimal("-1"), kUintMax);
    EXPECT_EQ(ReadUnsignedDecimal("-4294967295"), 1u);
    EXPECT_EQ(ReadUnsignedDecimal("-4294967296"), kUintMax);
    EXPECT_EQ(ReadUnsignedDecimal("seven"), 0u);
}

TEST(SignedHexadecimal, AcceptsPrefixAndEitherCase) {
    EXPECT_EQ(ReadSignedHexadecimal("1a2c"), 0x1A2C);
    EXPECT_EQ(ReadSignedHexadecimal("0x1514"), 0x1514);
    EXPECT_EQ(ReadSignedHexadecimal("0X1514"), 0x1514);
    EXPECT_EQ(ReadSignedHexadecimal(" \n FF"), 0xFF);
    EXPECT_EQ(ReadSignedHexadecimal("-0x10"), -16);
    EXPECT_EQ(ReadSignedHexadecimal("3g7"), 3);
}

TEST(SignedHexadecimal, PrefixWithoutDigitsReadsTheZero) {
    EXPECT_EQ(ReadSignedHexadecimal("0x"), 0);
    EXPECT_EQ(ReadSignedHexadecimal("0xg"), 0);
    EXPECT_EQ(ReadSignedHexadecimal("x12"), 0);
    EXPECT_EQ(ReadSignedHexadecimal(""), 0);
}

TEST(SignedHexadecimal, SaturatesOutOfRange) {
    EXPECT_EQ(ReadSignedHexadecimal("7fffffff"), kIntMax);
    EXPECT_EQ(ReadSignedHexadecimal("0xFFFFFFFF"), kIntMax);
    EXPECT_EQ(ReadSignedHexadecimal("-0xFFFFFFFFFFFF"), kIntMin);
}

}  // namespace
