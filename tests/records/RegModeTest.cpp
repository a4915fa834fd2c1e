#include <gtest/gtest.h>

#include "records/DeviceRecords.h"
#include "records/WireBytes.h"

namespace {

TEST(RegMode, SettingsByteFieldsReadFromWire) {
    // speed 5, direction 3 (down), reserved bit clear, automatic foreground
    const auto reg = fromWire<_reg_mode_t>({10, 20, 0xB5, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(reg.foregroundBrightness, 10);
    EXPECT_EQ(reg.backgroundBrightness, 20);
    EXPECT_EQ(reg.speed(), 5);
    EXPECT_EQ(reg.direction(), MODE_DIR_DOWN);
    EXPECT_FALSE(reg.reservedBit());
    EXPECT_TRUE(reg.autoForeground());
    EXPECT_EQ(reg.foregroundColor(), 0x030201u);
    EXPECT_EQ(reg.backgroundColor(), 0x060504u);
}

TEST(RegMode, SettersTouchOnlyTheirOwnBits) {
    auto reg = fromWire<_reg_mode_t>({0, 0, 0x40});  // reserved bit as received
    reg.setSpeed(9);
    reg.setDirection(MODE_DIR_LEFT);
    reg.setAutoForeground(true);
    EXPECT_EQ(wireBytes(reg)[2], 0x80 | 0x40 | 0x10 | 0x09);

    reg.setSpeed(0);
    reg.setAutoForeground(false);
    EXPECT_EQ(wireBytes(reg)[2], 0x40 | 0x10);
    reg.setReservedBit(false);
    reg.setDirection(MODE_DIR_RIGHT);
    EXPECT_EQ(wireBytes(reg)[2], 0);
}

TEST(RegMode, OutOfRangeSpeedAndDirectionAreClampedNotWrapped) {
    _reg_mode_t reg;
    reg.setSpeed(16);
    reg.setDirection(4);
    EXPECT_EQ(reg.speed(), 15);
    EXPECT_EQ(reg.direction(), MODE_DIR_DOWN);
    EXPECT_FALSE(reg.reservedBit());
    EXPECT_FALSE(reg.autoForeground());
}

TEST(RegMode, ColoursGoOutAsRedGreenBlueIgnoringTheFourthByte) {
    _reg_mode_t reg;
    reg.setForegroundColor(0xFF112233);
    reg.setBackgroundColor(0x00445566);
    const auto bytes = wireBytes(reg);
    EXPECT_EQ(
        (std::array<std::uint8_t, 6>{bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8]}),
        (std::array<std::uint8_t, 6>{0x33, 0x22, 0x11, 0x66, 0x55, 0x44}));
}

TEST(RegMode, EqualityIgnoresOnlyTheReservedBit) {
    const auto base = fromWire<_reg_mode_t>({1, 2, 0x25, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(base, fromWire<_reg_mode_t>({1, 2, 0x65, 3, 4, 5, 6, 7, 8}));
    EXPECT_NE(base, fromWire<_reg_mode_t>({1, 2, 0xA5, 3, 4, 5, 6, 7, 8}));
    EXPECT_NE(base, fromWire<_reg_mode_t>({1, 2, 0x15, 3, 4, 5, 6, 7, 8}));
    EXPECT_NE(base, fromWire<_reg_mode_t>({1, 2, 0x24, 3, 4, 5, 6, 7, 8}));
    for (std::size_t i : {0u, 1u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        auto bytes = wireBytes(base);
        bytes[i] ^= 0x01;
        _reg_mode_t other;
        std::memcpy(&other, bytes.data(), sizeof other);
        EXPECT_NE(base, other) << "byte " << i;
    }
}

TEST(Rgba, ScreenColourValueKeepsByteOrder) {
    const auto c = fromWire<rgba_t>({0x11, 0x22, 0x33, 0x44});
    EXPECT_EQ(c.value(), 0x44332211u);
    EXPECT_EQ(rgba_t::fromValue(0x44332211u), c);
    EXPECT_NE(c, fromWire<rgba_t>({0x11, 0x22, 0x33, 0x45}));
}

}  // namespace
