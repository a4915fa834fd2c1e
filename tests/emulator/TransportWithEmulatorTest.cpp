#include "EmulatorFixture.h"

namespace {

using TransportWithEmulatorTest = EmulatorFixture;

TEST_F(TransportWithEmulatorTest, KeyColoursTravelInOneReport) {
    KeyColourSet colours;
    for (int k = 0; k < kKeyColourCount; ++k) colours[k] = rgba_t::fromValue(0x01020300u + k);
    EXPECT_EQ(Send(KeyColours, 0, colours), 432);
    std::vector<ReportRecord> log = backend_->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].packet.length, 432);
    EXPECT_EQ(Query<KeyColourSet>(KeyColours, 0), colours);
}

TEST_F(TransportWithEmulatorTest, LongQueryIsAskedChunkByChunk) {
    // More than a packet: the second request starts at 512, past the end of the table, and the
    // keyboard answers it with no data.
    std::vector<std::uint8_t> dest(700, 0xEE);
    EXPECT_EQ(QueryFeature(link_, KeyColours, 1, dest.data(), 700), 700);
    std::vector<ReportRecord> log = backend_->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[2].packet.offset, 512u);
    EXPECT_EQ(log[2].packet.length, 188);
    EXPECT_EQ(log[3].packet.length, 0);
    EXPECT_EQ(dest[0], 255);  // the first key of set 1
    EXPECT_EQ(dest[432], 0);
    EXPECT_EQ(dest[699], 0);
}

TEST_F(TransportWithEmulatorTest, QueryOfSubAbove255NeverSucceeds) {
    std::uint8_t value = 0;
    EXPECT_EQ(QueryFeature(link_, ModeRegister, 256 + 3, &value, 1), 0);
    EXPECT_EQ(QueryFeature(link_, ModeRegister, 3, &value, 1), 1);
}

TEST_F(TransportWithEmulatorTest, SendWithLargeSubWritesItsLowByte) {
    _reg_mode_t reg{};
    reg.foregroundBrightness = 99;
    EXPECT_EQ(Send(ModeRegister, 256 + 20, reg), 9);
    EXPECT_EQ(keyboard_.Register(1, 6), reg);
}

}  // namespace
