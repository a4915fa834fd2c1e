#include <gtest/gtest.h>

#include <string>

#include "records/DeviceRecords.h"
#include "records/WireBytes.h"

namespace {

TEST(ModeAttr, FlagsAreLittleEndianOnTheWire) {
    const auto attr = fromWire<_mode_attr_t>({0x24, 0x03, 'W', 'a', 'v', 'e'});
    EXPECT_EQ(attr.flags(), 0x0324);
    EXPECT_TRUE(attr.has(MODE_CAP_FOREGROUND));
    EXPECT_TRUE(attr.has(MODE_CAP_SPEED));
    EXPECT_TRUE(attr.has(MODE_CAP_DIRECTION_LEFT_RIGHT));
    EXPECT_TRUE(attr.has(MODE_CAP_DIRECTION_UP_DOWN));
    EXPECT_FALSE(attr.has(MODE_CAP_PER_KEY));
    EXPECT_FALSE(attr.has(MODE_CAP_ROTATION));
    EXPECT_EQ(attr.name.text(), "Wave");

    _mode_attr_t written;
    written.setFlags(0x0410);
    EXPECT_EQ(wireBytes(written)[0], 0x10);
    EXPECT_EQ(wireBytes(written)[1], 0x04);
}

TEST(ModeAttr, NamesCompareUpToTheirNul) {
    const auto a = fromWire<_mode_attr_t>({0x04, 0, 'R', 'u', 'n', 0, 'x', 'y'});
    const auto b = fromWire<_mode_attr_t>({0x04, 0, 'R', 'u', 'n', 0, 'z'});
    EXPECT_EQ(a, b);
    EXPECT_NE(a, fromWire<_mode_attr_t>({0x04, 0, 'R', 'u', 'n', 's'}));
    EXPECT_NE(a, fromWire<_mode_attr_t>({0x04, 0, 'R', 'u'}));
    EXPECT_NE(a, fromWire<_mode_attr_t>({0x06, 0, 'R', 'u', 'n'}));
}

TEST(ModeAttr, UnterminatedNameStaysWithinItsField) {
    auto full = fromWire<_mode_attr_t>({});
    std::memset(full.name.bytes, 'M', sizeof full.name.bytes);
    EXPECT_EQ(full.name.text(), std::string(60, 'M'));
    auto other = full;
    EXPECT_EQ(full, other);
    other.name.bytes[59] = 'N';
    EXPECT_NE(full, other);
}

TEST(ModeAttr, SetNameKeepsTheFieldTerminatedAndClearsTheRest) {
    auto attr = fromWire<_mode_attr_t>({0, 0, 'o', 'l', 'd', 'n', 'a', 'm', 'e'});
    attr.name.set("ab");
    const auto bytes = wireBytes(attr);
    EXPECT_EQ(attr.name.text(), "ab");
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[8], 0);

    attr.name.set(std::string(100, 'x'));
    EXPECT_EQ(attr.name.text(), std::string(59, 'x'));
    EXPECT_EQ(attr.name.bytes[59], '\0');
}

TEST(ModeAttr, TruncationNeverSplitsAMultibyteCharacter) {
    _mode_attr_t attr;
    // 58 ASCII bytes, then a 2-byte character that would straddle the limit.
    attr.name.set(std::string(58, 'a') + "\xC3\xA9" + "z");
    EXPECT_EQ(attr.name.text(), std::string(58, 'a'));
    attr.name.set(std::string(57, 'a') + "\xC3\xA9" + "z");
    EXPECT_EQ(attr.name.text(), std::string(57, 'a') + "\xC3\xA9");
}

TEST(ProfileAttr, NumberedNamesAndEquality) {
    EXPECT_EQ(_profile_attr_t::numbered(0).name.text(), "P0");
    EXPECT_EQ(_profile_attr_t::numbered(12).name.text(), "P12");
    auto withTail = _profile_attr_t::numbered(3);
    withTail.name.bytes[10] = 'q';
    EXPECT_EQ(withTail, _profile_attr_t::numbered(3));
    EXPECT_NE(_profile_attr_t::numbered(1), _profile_attr_t::numbered(10));
}

TEST(KeyboardInfo, CountsAreLittleEndianAtTheirOffsets) {
    auto info = fromWire<keyboard_info_t>({3, 0, 8, 1, 0xAA, 0xBB, 20, 0}, 78);
    EXPECT_EQ(info.profileCount(), 3);
    EXPECT_EQ(info.modeCount(), 0x0108);
    EXPECT_EQ(info.macroSlotCount(), 20);

    info.setMacroSlotCount(0x1234);
    const auto bytes = wireBytes(info);
    EXPECT_EQ(bytes[84], 0x34);
    EXPECT_EQ(bytes[85], 0x12);
    EXPECT_EQ(bytes[82], 0xAA);  // uninterpreted bytes stay as read
    EXPECT_EQ(bytes[83], 0xBB);
}

}  // namespace
