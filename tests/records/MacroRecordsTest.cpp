#include <gtest/gtest.h>

#include "records/DeviceRecords.h"
#include "records/WireBytes.h"

namespace {

TEST(MacroCode, TypeAndValueFromWire) {
    const auto slot = fromWire<macro_code_t>({0x05, 0x30});
    EXPECT_EQ(slot.type(), 3);
    EXPECT_EQ(slot.value(), 5);
    EXPECT_TRUE(slot.playsMacro());
    EXPECT_TRUE(slot.hasAssignment());

    const auto direct = fromWire<macro_code_t>({0x41, 0x20});
    EXPECT_EQ(direct.type(), 2);
    EXPECT_EQ(direct.value(), 0x041);
    EXPECT_FALSE(direct.playsMacro());
    EXPECT_TRUE(direct.hasAssignment());

    const auto none = fromWire<macro_code_t>({0, 0});
    EXPECT_FALSE(none.hasAssignment());
    EXPECT_FALSE(fromWire<macro_code_t>({0xFF, 0x0F}).hasAssignment());
    EXPECT_TRUE(fromWire<macro_code_t>({0x00, 0x10}).hasAssignment());
}

TEST(MacroCode, SettersCutToFieldWidths) {
    auto code = macro_code_t::make(0x13, 0x1ABC);
    EXPECT_EQ(code.type(), 3);
    EXPECT_EQ(code.value(), 0xABC);
    EXPECT_EQ(wireBytes(code), (std::array<std::uint8_t, 2>{0xBC, 0x3A}));
    code.setValue(7);
    EXPECT_EQ(code.code(), 0x3007);
    code.setType(0);
    EXPECT_EQ(code.code(), 0x0007);
}

TEST(MacroStep, FifteenBitDelayAndStateBit) {
    const auto step = fromWire<macro_step_t>({0x04, 0x2C, 0x81});
    EXPECT_EQ(step.key, 0x04);
    EXPECT_EQ(step.state(), 1);
    EXPECT_EQ(step.delay(), 300);

    auto written = macro_step_t::make(0xE1, 0x7FFF, 0);
    EXPECT_EQ(wireBytes(written), (std::array<std::uint8_t, 3>{0xE1, 0xFF, 0x7F}));
    written.setState(1);
    EXPECT_EQ(written.delay(), 0x7FFF);
    written.setDelay(0x0102);
    EXPECT_EQ(wireBytes(written), (std::array<std::uint8_t, 3>{0xE1, 0x02, 0x81}));
}

TEST(MacroStep, UnrepresentableDelaySaturatesAndStateKeepsBitZero) {
    auto step = macro_step_t::make(0x04, 40000, 3);
    EXPECT_EQ(step.delay(), 32767);
    EXPECT_EQ(step.state(), 1);
    step.setState(2);
    EXPECT_EQ(step.state(), 0);
    EXPECT_EQ(step.delay(), 32767);
}

TEST(MacroBlock, StepsAppendUntilFull) {
    macro_block_t block;
    EXPECT_EQ(block.stepCount(), 0u);
    for (std::size_t i = 0; i < macro_block_t::MAX_STEPS; ++i)
        ASSERT_TRUE(block.append(macro_step_t::make(static_cast<std::uint8_t>(i), 10, 0)));
    EXPECT_FALSE(block.append(macro_step_t::make(0xFF, 10, 0)));
    EXPECT_EQ(block.count, 109);
    EXPECT_EQ(block.steps[108].key, 108);
}

TEST(MacroBlock, OverstatedCountIsBoundedByTheBlock) {
    const auto block = fromWire<macro_block_t>({200}, 39);
    EXPECT_EQ(block.stepCount(), macro_block_t::MAX_STEPS);
    auto copy = block;
    EXPECT_EQ(block, copy);
    copy.steps[108].key = 1;
    EXPECT_NE(block, copy);
}

TEST(MacroBlock, EqualityLooksOnlyAtMeaningfulBytes) {
    macro_block_t a;
    a.name.set("Combo");
    a.repeat = 2;
    a.append(macro_step_t::make(0x04, 50, 0));
    a.append(macro_step_t::make(0x04, 50, 1));
    auto b = a;
    b.name.bytes[7] = 'x';                        // after the name's NUL
    b.steps[5] = macro_step_t::make(0x09, 1, 1);  // past the last step
    EXPECT_EQ(a, b);

    b = a;
    b.steps[1].setState(0);
    EXPECT_NE(a, b);
    b = a;
    b.repeat = 3;
    EXPECT_NE(a, b);
    b = a;
    b.count = 1;
    EXPECT_NE(a, b);
    b = a;
    b.name.set("Combo2");
    EXPECT_NE(a, b);
}

TEST(MacroKeyPack, FieldsSitAtTheirWireOffsets) {
    macrokey_pack_t pack;
    pack.setType(0x0103);
    pack.setKey(0x0204);
    pack.setCode(0x0305);
    pack.macro.name.set("M");
    pack.macro.repeat = 7;
    pack.macro.append(macro_step_t::make(0x2C, 300, 1));
    const auto bytes = wireBytes(pack);
    EXPECT_EQ(
        (std::array<std::uint8_t, 6>{bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]}),
        (std::array<std::uint8_t, 6>{0x03, 0x01, 0x04, 0x02, 0x05, 0x03}));
    EXPECT_EQ(bytes[6], 'M');
    EXPECT_EQ(bytes[6 + 38], 7);
    EXPECT_EQ(bytes[6 + 39], 1);
    EXPECT_EQ((std::array<std::uint8_t, 3>{bytes[46], bytes[47], bytes[48]}),
              (std::array<std::uint8_t, 3>{0x2C, 0x2C, 0x81}));
}

TEST(MacroKeyPack, EqualityIgnoresPaddingButNotFields) {
    const auto a = fromWire<macrokey_pack_t>({3, 0, 17, 0, 0x41, 0});
    auto b = a;
    b.padding = 0xEE;
    EXPECT_EQ(a, b);
    b = a;
    b.setKey(18);
    EXPECT_NE(a, b);
    b = a;
    b.setCode(0x42);
    EXPECT_NE(a, b);
    b = a;
    b.setType(4);
    EXPECT_NE(a, b);
    b = a;
    b.macro.repeat = 1;
    EXPECT_NE(a, b);
}

}  // namespace
