#include <algorithm>
#include <cstring>

#include "EmulatorFixture.h"

namespace {

using VirtualKeyboardTest = EmulatorFixture;

TEST_F(VirtualKeyboardTest, InformationBlockCarriesTheCounts) {
    auto info = Query<keyboard_info_t>(DeviceInfo, 0);
    EXPECT_EQ(info.profileCount(), 3);
    EXPECT_EQ(info.modeCount(), 14);
    EXPECT_EQ(info.macroSlotCount(), 16);
}

TEST_F(VirtualKeyboardTest, ModesCoverEveryControlOfThePanel) {
    std::uint16_t all = 0;
    bool noSettings = false;
    bool perKey = false;
    for (int m = 0; m < 14; ++m) {
        auto mode = Query<_mode_attr_t>(ModeAttributes, m);
        EXPECT_EQ(mode, keyboard_.Mode(m));
        EXPECT_FALSE(mode.name.text().empty()) << m;
        all |= mode.flags();
        noSettings |= mode.flags() == 0;
        perKey |= mode.flags() == MODE_CAP_PER_KEY;
    }
    EXPECT_EQ(all, 0x07FE);
    EXPECT_TRUE(noSettings);
    EXPECT_TRUE(perKey);
}

TEST_F(VirtualKeyboardTest, AnswersEveryQueryWithTheKeyboardsMemory) {
    KeyboardState state = keyboard_.State();
    EXPECT_EQ(Query<std::uint8_t>(ActiveProfile, 0), state.activeProfile);
    EXPECT_EQ(Query<std::uint8_t>(ColourSet, 0), state.selectedColourSet);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(Query<std::uint8_t>(ProfileMode, p), state.profileModes[p]);
        for (int m = 0; m < 14; ++m) {
            EXPECT_EQ(Query<_reg_mode_t>(ModeRegister, p * 14 + m), state.Register(p, m));
        }
    }
    for (int s = 0; s < 4; ++s) EXPECT_EQ(Query<KeyColourSet>(KeyColours, s), state.colourSets[s]);
    EXPECT_EQ(Query<KeyCodeTable>(KeyCodes, 0), state.keyCodes);
    EXPECT_EQ(Query<macro_block_t>(MacroSlot, 15), state.macroSlots[15]);
    EXPECT_EQ((Query<std::array<std::uint8_t, kControlBlockSize>>(DeviceControl, 0)),
              state.control);
}

TEST_F(VirtualKeyboardTest, EveryAnswerEchoesTheRequest) {
    struct Ask {
        int command, sub, length;
    };
    const Ask asks[] = {{DeviceInfo, 0, 90},  {DeviceControl, 0, 2}, {ModeAttributes, 13, 62},
                        {ProfileMode, 2, 1},  {ModeRegister, 41, 9}, {ActiveProfile, 0, 1},
                        {KeyColours, 3, 432}, {ColourSet, 0, 1},     {KeyCodes, 0, 218},
                        {MacroSlot, 15, 367}};
    for (const Ask& ask : asks) {
        std::vector<std::uint8_t> buffer(ask.length);
        EXPECT_EQ(QueryFeature(link_, ask.command, ask.sub, buffer.data(), ask.length), ask.length);
        ReportRecord answer = backend_->Log().back();
        EXPECT_EQ(answer.direction, ReportRecord::Direction::Get);
        EXPECT_EQ(answer.packet.command, ask.command | 0x80);
        EXPECT_EQ(answer.packet.sub, ask.sub);
        EXPECT_EQ(answer.packet.offset, 0u);
        EXPECT_EQ(answer.packet.length, ask.length);
    }
}

TEST_F(VirtualKeyboardTest, RefusesSubsPastTheTablesAndUnknownCommands) {
    std::uint8_t buffer[432];
    const std::pair<int, int> refused[] = {{DeviceInfo, 1},
                                           {ModeAttributes, 14},
                                           {ProfileMode, 3},
                                           {ModeRegister, 42},
                                           {ActiveProfile, 1},
                                           {KeyColours, 4},
                                           {ColourSet, 1},
                                           {KeyCodes, 1},
                                           {MacroSlot, 16},
                                           {11, 0},
                                           {0, 0}};
    for (auto [command, sub] : refused) {
        EXPECT_EQ(QueryFeature(link_, command, sub, buffer, 1), 0) << command << "/" << sub;
    }
    std::uint8_t byte = 0;
    EXPECT_EQ(Send(DeviceInfo, 0, byte), 0);
    EXPECT_EQ(Send(ModeAttributes, 0, byte), 0);
    EXPECT_EQ(Send(MacroSlot, 16, byte), 0);
    EXPECT_EQ(Send(KeyCodes, 1, byte), 0);
    EXPECT_EQ(Send(0x33, 0, byte), 0);
}

TEST_F(VirtualKeyboardTest, AnswerIsGivenOnceAndOnlyAfterARequest) {
    std::uint8_t report[kFeatureReportSize] = {};
    EXPECT_FALSE(backend_->GetFeature(link_.ReadHandle(), report, sizeof report));
    std::uint8_t value = 0;
    Query<std::uint8_t>(ActiveProfile, 0);
    EXPECT_FALSE(backend_->GetFeature(link_.ReadHandle(), report, sizeof report));
    EXPECT_EQ(Send(ColourSet, 0, value), 1);
    EXPECT_FALSE(backend_->GetFeature(link_.ReadHandle(), report, sizeof report));
}

TEST_F(VirtualKeyboardTest, SelectionsChangeTheActiveProfilesState) {
    std::uint8_t profile = 2, mode = 5, set = 3;
    EXPECT_EQ(Send(ActiveProfile, 0, profile), 1);
    EXPECT_EQ(Send(ProfileMode, 0, mode), 1);
    EXPECT_EQ(Send(ColourSet, 0, set), 1);
    EXPECT_EQ(keyboard_.ActiveProfile(), 2);
    EXPECT_EQ(keyboard_.ProfileMode(2), 5);
    EXPECT_EQ(keyboard_.ProfileMode(0), 0);
    EXPECT_EQ(keyboard_.SelectedColourSet(), 3);
    EXPECT_EQ(Query<std::uint8_t>(ProfileMode, 2), 5);

    // Out of range: accepted, and the keyboard keeps its choice.
    std::uint8_t tooFar = 14;
    EXPECT_EQ(Send(ProfileMode, 0, tooFar), 1);
    EXPECT_EQ(keyboard_.ProfileMode(2), 5);
    tooFar = 3;
    EXPECT_EQ(Send(ActiveProfile, 0, tooFar), 1);
    tooFar = 4;
    EXPECT_EQ(Send(ColourSet, 0, tooFar), 1);
    EXPECT_EQ(keyboard_.ActiveProfile(), 2);
    EXPECT_EQ(keyboard_.SelectedColourSet(), 3);
}

TEST_F(VirtualKeyboardTest, WritesLandInTheirTables) {
    _reg_mode_t reg{};
    reg.foregroundBrightness = 17;
    reg.setSpeed(9);
    reg.setDirection(MODE_DIR_DOWN);
    EXPECT_EQ(Send(ModeRegister, 1 * 14 + 4, reg), 9);
    EXPECT_EQ(keyboard_.Register(1, 4), reg);

    std::uint8_t set = 2;
    Send(ColourSet, 0, set);
    KeyColourSet colours{};
    colours[107] = {1, 2, 3, 4};
    EXPECT_EQ(Send(KeyColours, 0, colours), 432);
    EXPECT_EQ(keyboard_.Colours(2), colours);
    EXPECT_NE(keyboard_.Colours(0), colours);

    KeyCodeTable codes{};
    codes[5] = macro_code_t::make(2, 0x1E);
    codes[108] = macro_code_t::make(3, 7);
    EXPECT_EQ(Send(KeyCodes, 0, codes), 218);
    EXPECT_EQ(keyboard_.KeyCodes(), codes);

    macro_block_t macro{};
    macro.name.set("copy");
    macro.repeat = 2;
    macro.append(macro_step_t::make(0x04, 300, 1));
    EXPECT_EQ(Send(MacroSlot, 7, macro), 367);
    EXPECT_EQ(keyboard_.Macro(7), macro);
    EXPECT_EQ(Query<macro_block_t>(MacroSlot, 7), macro);
}

TEST_F(VirtualKeyboardTest, WritesAtAnOffsetAndPastTheEnd) {
    std::uint8_t codes[4] = {0x05, 0x30, 0x06, 0x30};
    EXPECT_EQ(SendFeature(link_, KeyCodes, 0, 216, codes, 4), 4);
    EXPECT_EQ(keyboard_.KeyCodes()[108].code(), 0x3005);
    EXPECT_EQ(keyboard_.KeyCodes()[107].code(), 0);
}

TEST_F(VirtualKeyboardTest, MaskClearClearsTheGivenBits) {
    keyboard_.Modify([](KeyboardState& state) { state.masks = 0x0F0F; });
    std::uint16_t value = 0x0003;
    EXPECT_EQ(SendFeature(link_, DeviceControl, 0, 8, &value, 2), 2);
    EXPECT_EQ(keyboard_.Masks(), 0x0F0C);
    value = 0xFFFF;
    SendFeature(link_, DeviceControl, 0, 8, &value, 2);
    EXPECT_EQ(keyboard_.Masks(), 0);
    EXPECT_EQ(keyboard_.MaskClears(), 2);
    EXPECT_EQ(keyboard_.FactoryResets(), 0);
}

TEST_F(VirtualKeyboardTest, FactoryResetRestoresEverything) {
    KeyboardState factory = keyboard_.State();
    std::uint8_t profile = 1;
    Send(ActiveProfile, 0, profile);
    KeyCodeTable codes{};
    codes[0] = macro_code_t::make(2, 4);
    Send(KeyCodes, 0, codes);

    std::uint16_t notAll = 0x00FF;
    SendFeature(link_, DeviceControl, 0, 10, &notAll, 2);
    EXPECT_EQ(keyboard_.FactoryResets(), 0);
    EXPECT_EQ(keyboard_.ActiveProfile(), 1);

    std::uint16_t all = 0xFFFF;
    EXPECT_EQ(SendFeature(link_, DeviceControl, 0, 10, &all, 2), 2);
    EXPECT_EQ(keyboard_.FactoryResets(), 1);
    KeyboardState now = keyboard_.State();
    EXPECT_EQ(now.activeProfile, 0);
    EXPECT_EQ(now.keyCodes, factory.keyCodes);
    EXPECT_EQ(now.control, factory.control);
}

TEST_F(VirtualKeyboardTest, GarbageInformationIsFixedNoise) {
    keyboard_.SetGarbageInformation(true);
    auto first = Query<keyboard_info_t>(DeviceInfo, 0);
    auto second = Query<keyboard_info_t>(DeviceInfo, 0);
    EXPECT_EQ(first, second);
    EXPECT_NE(first.profileCount(), 3);
    EXPECT_NE(first.modeCount(), 14);
    keyboard_.SetGarbageInformation(false);
    EXPECT_EQ(Query<keyboard_info_t>(DeviceInfo, 0).modeCount(), 14);
}

TEST_F(VirtualKeyboardTest, ModifyKeepsTheShape) {
    EXPECT_TRUE(keyboard_.Modify([](KeyboardState& state) { state.activeProfile = 2; }));
    EXPECT_EQ(keyboard_.ActiveProfile(), 2);
    EXPECT_FALSE(keyboard_.Modify([](KeyboardState& state) { state.activeProfile = 3; }));
    EXPECT_FALSE(keyboard_.Modify([](KeyboardState& state) { state.macroSlots.pop_back(); }));
    EXPECT_EQ(keyboard_.ActiveProfile(), 2);
}

TEST(VirtualKeyboardShape, OtherShapesAreServedAndClamped) {
    VirtualKeyboard keyboard({2, 12, 5, 8});
    KeyboardState state = keyboard.State();
    EXPECT_EQ(state.info.modeCount(), 12);
    EXPECT_EQ(state.registers.size(), 24u);
    EXPECT_EQ(state.colourSets.size(), 5u);
    EXPECT_TRUE(state.Consistent());

    VirtualKeyboard huge({300, 300, 0, 1000});
    KeyboardShape shape = huge.Shape();
    EXPECT_EQ(shape.profiles, 255);
    EXPECT_EQ(shape.modes, 1);
    EXPECT_EQ(shape.colourSets, 1);
    EXPECT_EQ(shape.macroSlots, 255);
    EXPECT_TRUE(huge.State().Consistent());
}

}  // namespace
