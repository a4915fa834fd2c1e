// What an import makes of a file and a keyboard: refusals by shape, the file laid over the
// keyboard by mode name, and the check that ignores which slot a macro landed in.
#include <gtest/gtest.h>

#include "persist/BackupRestorePlan.h"

namespace {

_reg_mode_t Register(std::uint8_t brightness) {
    _reg_mode_t reg;
    reg.foregroundBrightness = brightness;
    return reg;
}

KeyboardSnapshot Keyboard() {
    KeyboardSnapshot keyboard;
    keyboard.productId = 0x1514;
    keyboard.modeNames = {"Static", "Wave", "Ripple"};
    for (int p = 0; p < 2; ++p)
        keyboard.profiles.push_back({0, {Register(1), Register(2), Register(3)}});
    keyboard.colourSets.assign(2, std::vector<rgba_t>(4));
    keyboard.keyCodes.resize(5);
    return keyboard;
}

macro_block_t Macro(std::uint8_t repeat) {
    macro_block_t block;
    block.repeat = repeat;
    block.append(macro_step_t::make(4, 10, 0));
    return block;
}

TEST(BackupRestorePlan, AFileOfAnotherShapeNamesEveryDifference) {
    const struct {
        const char* what;
        void (*change)(KeyboardSnapshot&);
        const char* says;
    } cases[] = {
        {"product", [](KeyboardSnapshot& f) { f.productId = 0x1511; }, "product id 0x1511"},
        {"profiles", [](KeyboardSnapshot& f) { f.profiles.pop_back(); },
         "the file has 1 profile, the keyboard 2 profiles"},
        {"mode missing here", [](KeyboardSnapshot& f) { f.modeNames[2] = "Sparkle"; },
         "the keyboard has no mode \"Sparkle\""},
        {"mode missing there", [](KeyboardSnapshot& f) { f.modeNames[2] = "Sparkle"; },
         "the file has no mode \"Ripple\""},
        {"colour sets", [](KeyboardSnapshot& f) { f.colourSets.pop_back(); },
         "the file has 1 colour set, the keyboard 2 colour sets"},
        {"key table", [](KeyboardSnapshot& f) { f.keyCodes.pop_back(); },
         "the file has 4 key assignment entries"},
    };
    EXPECT_TRUE(persist::PlanRestore(Keyboard(), Keyboard()).differences.empty());
    for (const auto& c : cases) {
        KeyboardSnapshot file = Keyboard();
        c.change(file);
        const auto differences = persist::PlanRestore(file, Keyboard()).differences;
        std::string all;
        for (const std::string& d : differences) all += d + "|";
        EXPECT_NE(all.find(c.says), std::string::npos) << c.what << ": " << all;
    }
}

TEST(BackupRestorePlan, RegistersFollowTheirModeNamesAndKeysKeepWhatTheFileLacks) {
    KeyboardSnapshot file = Keyboard();
    file.modeNames = {"Ripple", "Static", "Sparkle"};  // another order, one mode unknown here
    file.profiles = {{0, {Register(30), Register(10), Register(99)}}};
    file.activeProfile = 1;  // this keyboard has it, though the file lists one profile
    file.keyCodes = {macro_code_t::make(3, 0), macro_code_t::make(2, 4)};
    file.macros = {{0, Macro(5)}};
    KeyboardSnapshot keyboard = Keyboard();
    keyboard.keyCodes[4] = macro_code_t::make(4, 0);
    keyboard.macros = {{0, Macro(7)}};

    const KeyboardSnapshot target = persist::PlanRestore(file, keyboard).target;
    const auto& registers = target.profiles[0].registers;
    EXPECT_EQ(registers[0].foregroundBrightness, 10);  // Static
    EXPECT_EQ(registers[1].foregroundBrightness, 2);   // Wave: not in the file
    EXPECT_EQ(registers[2].foregroundBrightness, 30);  // Ripple
    EXPECT_EQ(target.profiles[1].registers[0].foregroundBrightness, 1);
    EXPECT_EQ(target.profiles[0].activeMode, 2);  // the file's first mode, Ripple
    EXPECT_EQ(target.activeProfile, 1);
    EXPECT_TRUE(persist::SameAssignment(target, 0, file, 0));
    EXPECT_TRUE(persist::SameAssignment(target, 1, file, 1));
    // The key the file does not cover keeps its macro, under a slot of its own.
    EXPECT_TRUE(persist::SameAssignment(target, 4, keyboard, 4));
}

TEST(BackupRestorePlan, TheCheckComparesMacrosNotSlots) {
    KeyboardSnapshot target = Keyboard();
    target.keyCodes[1] = macro_code_t::make(3, 0);
    target.macros = {{0, Macro(2)}};
    KeyboardSnapshot actual = target;
    actual.keyCodes[1] = macro_code_t::make(3, 6);
    actual.macros = {{6, Macro(2)}};
    EXPECT_TRUE(persist::SnapshotDifferences(target, actual).empty());

    actual.macros[6] = Macro(3);
    actual.profiles[1].registers[2].settings ^= _reg_mode_t::RESERVED_BIT;
    actual.colourSets[1][0].a = 1;
    actual.activeColourSet = 1;
    const std::vector<std::string> expected = {"the lighting of profile 2", "colour set 2",
                                               "the active colour set", "1 key assignment"};
    EXPECT_EQ(persist::SnapshotDifferences(target, actual), expected);
}

TEST(BackupRestorePlan, ModesSharingANamePairUpInOrder) {
    KeyboardSnapshot keyboard = Keyboard();
    keyboard.modeNames = {"Wave", "Static", "Wave"};
    KeyboardSnapshot file = keyboard;
    file.profiles[0] = {2, {Register(10), Register(20), Register(30)}};
    const persist::RestorePlan plan = persist::PlanRestore(file, keyboard);
    EXPECT_TRUE(plan.differences.empty());
    const KeyboardSnapshot::Profile& restored = plan.target.profiles[0];
    EXPECT_EQ(restored.activeMode, 2);
    EXPECT_EQ(restored.registers[0].foregroundBrightness, 10);
    EXPECT_EQ(restored.registers[2].foregroundBrightness, 30);
}

}  // namespace
