#include <gtest/gtest.h>

#include <array>

#include "logic/MacroBlockCodec.h"
#include "records/SharedShapes.h"
#include "support/LogicFixture.h"
#include "support/WaitUntil.h"

namespace {

using DeviceCommands = LogicTest;
using Bytes2 = std::array<uint8_t, 2>;

macrokey_pack_t Assignment(unsigned type, unsigned key, unsigned code) {
    macrokey_pack_t pack;
    pack.setType(static_cast<uint16_t>(type));
    pack.setKey(static_cast<uint16_t>(key));
    pack.setCode(static_cast<uint16_t>(code));
    return pack;
}

MacroRecordGroup Group(int id, const wchar_t* name, std::initializer_list<int> codes) {
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{id, 1, name};
    int state = 0;
    for (int code : codes) {
        group.items.current().push_back(MacroRecordGpItem{code, state, 25, L""});
        state ^= 1;
    }
    return group;
}

class Commands : public DeviceCommands {
protected:
    void SetUp() override {
        Connect();
        ClearLog();
        screens->ClearEvents();
    }
    void PublishGroups(std::list<MacroRecordGroup> groups) {
        ShareGroups(std::move(groups));
        ClearLog();
        screens->ClearEvents();
    }
    KeyCodeTable TableWith(int key, uint16_t code) {
        KeyCodeTable table = keyboard->KeyCodes();
        table[static_cast<size_t>(key)].setCode(code);
        return table;
    }
};

TEST_F(Commands, ChangingOneKeyColourSendsTheWholeTable) {
    KeyColourSet colours{};
    std::copy_n(screens->keyColours.data(), colours.size(), colours.begin());
    colours[7] = rgba_t{9, 8, 7, 6};
    screens->keyColours.assign(colours.data(), 108, 0, false, false);
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Write(KeyColours, 0, 0, colours)});
    EXPECT_EQ(keyboard->Colours(keyboard->SelectedColourSet())[7], (rgba_t{9, 8, 7, 6}));
}

TEST_F(Commands, PickingAColourSetSendsItAndReadsItsColours) {
    screens->colourSet.set(3, shapes::kApply, false, false);
    Idle();
    EXPECT_EQ(Requests(), (std::vector<Request>{Write(ColourSet, 0, 0, uint8_t{3}),
                                                Query(KeyColours, 3, 432)}));
    EXPECT_EQ(keyboard->SelectedColourSet(), 3);
    EXPECT_TRUE(std::equal(screens->keyColours.data(), screens->keyColours.data() + 108,
                           keyboard->Colours(3).begin()));
    EXPECT_EQ(screens->Events(), std::vector<std::string>{"colours"});
}

TEST_F(Commands, ColourSetWithTagOneOnlyReadsColours) {
    screens->colourSet.set(2, shapes::kAlreadyApplied, false, false);
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Query(KeyColours, 2, 432)});
    EXPECT_EQ(keyboard->SelectedColourSet(), 0);
    EXPECT_TRUE(std::equal(screens->keyColours.data(), screens->keyColours.data() + 108,
                           keyboard->Colours(2).begin()));
}

TEST_F(Commands, DirectAssignmentSendsTheTableAndRereadsIt) {
    KeyCodeTable expected = TableWith(5, 0x201E);
    PublishAssignment(Assignment(2, 5, 0x1E));
    EXPECT_EQ(Requests(),
              (std::vector<Request>{Write(KeyCodes, 0, 0, expected), Query(KeyCodes, 0, 218)}));
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0x201E);
    EXPECT_EQ(screens->keyCodes.data()[5].code(), 0x201E);
}

TEST_F(Commands, DeletingAnAssignmentClearsTheKeysCode) {
    PublishAssignment(Assignment(2, 8, 0x04));
    ClearLog();
    KeyCodeTable expected = TableWith(8, 0);
    PublishAssignment(Assignment(0, 8, 0));
    EXPECT_EQ(Requests(),
              (std::vector<Request>{Write(KeyCodes, 0, 0, expected), Query(KeyCodes, 0, 218)}));
    EXPECT_EQ(keyboard->KeyCodes()[8].code(), 0);
}

TEST_F(Commands, KeyOutsideTheTableIsIgnored) {
    PublishAssignment(Assignment(2, 109, 0x04));
    EXPECT_TRUE(Requests().empty());
}

TEST_F(Commands, MacroGoesToTheLowestFreeSlot) {
    Build(KeyboardShape{3, 12, 4, 8});
    SetUp();
    MacroRecordGroup fresh = Group(9, L"fresh", {0x1E, 0x1E, 0x30});
    PublishGroups({Group(0, L"a", {0x10}), Group(1, L"b", {0x11}), Group(3, L"c", {0x12}), fresh});
    macrokey_pack_t pack = Assignment(3, 5, 0);
    pack.macro = EncodeMacroGroup(fresh);
    KeyCodeTable expected = TableWith(5, 0x3002);
    PublishAssignment(pack);
    EXPECT_EQ(Requests(),
              (std::vector<Request>{Write(MacroSlot, 2, 0, pack.macro),
                                    Write(KeyCodes, 0, 0, expected), Query(KeyCodes, 0, 218)}));
    EXPECT_EQ(keyboard->Macro(2), pack.macro);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0x3002);
}

TEST_F(Commands, MacroTypeGoesIntoTheCode) {
    macrokey_pack_t pack = Assignment(5, 7, 0x123);
    pack.macro = EncodeMacroGroup(Group(-1, L"x", {0x1E}));
    PublishAssignment(pack);
    EXPECT_EQ(keyboard->KeyCodes()[7].code(), 0x5000);
    // A type past the nibble wraps; when it wraps to a direct type the request's code is used.
    ClearLog();
    pack = Assignment(0x11, 8, 0x123);
    pack.macro = EncodeMacroGroup(Group(-1, L"y", {0x30}));
    PublishAssignment(pack);
    EXPECT_EQ(keyboard->KeyCodes()[8].code(), 0x1123);
    EXPECT_EQ(CountOf(MacroSlot), 1u);
}

TEST_F(Commands, AMacroSlotThatFailsLeavesTheKeyAsItWas) {
    macrokey_pack_t pack = Assignment(3, 5, 0);
    pack.macro = EncodeMacroGroup(Group(-1, L"lost", {0x1E}));
    backend->FailReport(backend->ReportCount() + 1);
    PublishAssignment(pack);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
    // The next assignment sends the whole table: key 5 must not point at the empty slot.
    PublishAssignment(Assignment(2, 6, 0x04));
    EXPECT_EQ(keyboard->KeyCodes()[6].code(), 0x2004);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
}

TEST_F(Commands, NoAssignmentWhileDisconnected) {
    backend->UnplugKeyboard();
    ASSERT_TRUE(logic->OnRemove(EmulatedBackend::KeyboardPath()));
    Idle();
    ClearLog();
    macrokey_pack_t pack = Assignment(3, 5, 0);
    pack.macro = EncodeMacroGroup(Group(-1, L"x", {0x1E}));
    PublishAssignment(pack);
    PublishAssignment(Assignment(2, 6, 0x1E));
    EXPECT_TRUE(backend->Log().empty());
}

TEST_F(Commands, NoMacroWithoutAFreeSlot) {
    Build(KeyboardShape{3, 12, 4, 3});
    SetUp();
    PublishGroups({Group(0, L"a", {0x10}), Group(1, L"b", {0x11}), Group(2, L"c", {0x12})});
    macrokey_pack_t pack = Assignment(3, 5, 0);
    pack.macro = EncodeMacroGroup(Group(-1, L"x", {0x1E}));
    PublishAssignment(pack);
    EXPECT_TRUE(backend->Log().empty());
    EXPECT_EQ(screens->keyCodes.data()[5].code(), 0);
}

TEST_F(Commands, RegisterGoesToTheActiveProfilesCurrentMode) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.activeProfile = 1;
        s.profileModes[1] = 2;
    }));
    Replug();
    ClearLog();
    _reg_mode_t reg = screens->currentRegister.current();
    reg.setSpeed(11);
    reg.foregroundBrightness = 200;
    screens->currentRegister.set(reg, shapes::kApply, false, false);
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Write(ModeRegister, 14, 0, reg)});
    EXPECT_EQ(keyboard->Register(1, 2), reg);
    EXPECT_EQ(logic->profileTable().data()[1].data()[2], reg);
}

TEST_F(Commands, SelectingAModeSendsItAndPublishesItsRegister) {
    screens->modes.select(4, shapes::kAlreadyApplied, true, false);
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Write(ProfileMode, 0, 0, uint8_t{4})});
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(0, 4));
    EXPECT_EQ(keyboard->ProfileMode(0), 4);
    EXPECT_EQ(logic->profileTable().data()[0].index(), 4u);
}

TEST_F(Commands, ModeIndexEqualToTheCountKeepsTheModeButIsSent) {
    screens->modes.select(3, shapes::kAlreadyApplied, true, false);
    Idle();
    ClearLog();
    screens->modes.push_back(_mode_attr_t{});
    ASSERT_TRUE(screens->modes.select(12, shapes::kAlreadyApplied, true, false));
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Write(ProfileMode, 0, 0, uint8_t{12})});
    EXPECT_EQ(logic->profileTable().data()[0].index(), 3u);
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(0, 3));
}

TEST_F(Commands, SelectingAProfileWithTagZeroSendsIt) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) { s.profileModes[2] = 6; }));
    Replug();
    ClearLog();
    screens->ClearEvents();
    screens->profiles.select(2, shapes::kApply, false, false);
    Idle();
    EXPECT_EQ(Requests(), std::vector<Request>{Write(ActiveProfile, 0, 0, uint8_t{2})});
    EXPECT_EQ(keyboard->ActiveProfile(), 2);
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(2, 6));
    EXPECT_EQ(screens->modes.index(), 6u);
    EXPECT_EQ(screens->Events(), (std::vector<std::string>{"register", "modes"}));
}

TEST_F(Commands, SelectingAProfileWithTagOnePublishesButSendsNothing) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) { s.profileModes[1] = 9; }));
    Replug();
    ClearLog();
    screens->profiles.select(1, shapes::kAlreadyApplied, false, false);
    Idle();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(keyboard->ActiveProfile(), 0);
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(1, 9));
    EXPECT_EQ(screens->modes.index(), 9u);
    EXPECT_EQ(logic->profileTable().index(), 1u);
}

TEST_F(Commands, FactoryResetAndMaskClearWriteTheControlBlockAndReadTheKeyboardAgain) {
    screens->factoryReset.set(-1, shapes::kApply, false, false);
    Idle();
    // The command changes the keyboard by itself, so the whole keyboard is read after it.
    std::vector<Request> expected{Write(DeviceControl, 0, 10, Bytes2{0xFF, 0xFF})};
    const auto read = ExpectedConnectionRead(3, 12, {}, 0);
    expected.insert(expected.end(), read.begin(), read.end());
    // The key colours come last, from a worker: wait for them.
    ASSERT_TRUE(WaitUntil([&] { return Requests().size() >= expected.size(); }));
    EXPECT_EQ(Requests(), expected);
    ClearLog();
    screens->maskClear.set(-1, shapes::kApply, false, false);
    Idle();
    expected.front() = Write(DeviceControl, 0, 8, Bytes2{0xFF, 0xFF});
    ASSERT_TRUE(WaitUntil([&] { return Requests().size() >= expected.size(); }));
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(keyboard->FactoryResets(), 1);
    EXPECT_EQ(keyboard->MaskClears(), 1);
}

TEST_F(Commands, AfterAFactoryResetTheScreensShowTheKeyboardsNewState) {
    PutMacro(5, 2, 0x04, 3);
    Replug();
    ASSERT_TRUE(screens->keyCodes.data()[5].hasAssignment());
    screens->factoryReset.set(-1, shapes::kApply, false, false);
    Idle();
    EXPECT_FALSE(screens->keyCodes.data()[5].hasAssignment());
}

TEST_F(Commands, AControlWriteTheKeyboardRefusesReadsNothing) {
    backend->FailReport(backend->ReportCount() + 1);
    screens->factoryReset.set(-1, shapes::kApply, false, false);
    Idle();
    EXPECT_EQ(CountOf(DeviceInfo | kQueryFlag), 0u);
}

TEST_F(Commands, CommandsWithoutProfilesSendNothing) {
    Build(KeyboardShape{3, 12, 4, 16});
    patcher->SetPatch([](FeaturePacket& answer) {
        if (answer.command == (DeviceInfo | kQueryFlag)) answer.data[78] = 0;  // no profiles
    });
    SetUp();
    _reg_mode_t reg{};
    reg.setSpeed(3);
    screens->currentRegister.set(reg, shapes::kApply, false, false);
    screens->modes.select(2, shapes::kAlreadyApplied, true, false);
    screens->profiles.push_back(_profile_attr_t::numbered(0));
    screens->profiles.select(0, shapes::kApply, true, true);
    Idle();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(logic->profileTable().count, 0u);
}

}  // namespace
