#include <gtest/gtest.h>

#include "device/FeatureTransport.h"
#include "logic/DeviceLimits.h"
#include "logic/MacroBlockCodec.h"
#include "records/MacroRequest.h"
#include "support/LogicFixture.h"

namespace {

using ConnectionRead = LogicTest;

TEST_F(ConnectionRead, QueriesEverythingOnceInOrder) {
    PutMacro(5, 2, 0x04, 3);
    PutMacro(40, 9, 0x05, 2);
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) { s.selectedColourSet = 2; }));
    Connect();
    EXPECT_EQ(Requests(), ExpectedConnectionRead(3, 12, {2, 9}, 2));
    // Every query had its answer and nothing else was exchanged.
    auto log = backend->Log();
    EXPECT_EQ(log.size(), 2 * Requests().size());
    EXPECT_TRUE(std::all_of(log.begin(), log.end(), [](auto& r) { return r.accepted; }));
    EXPECT_EQ(logic->macroSlotCount(), 16);
    EXPECT_TRUE(logic->keyCodesRead());
}

TEST_F(ConnectionRead, ScreensReceiveTheValuesInOrder) {
    PutMacro(5, 2, 0x04, 3);
    PutMacro(6, 3, 0x06, 1);
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.activeProfile = 1;
        s.profileModes[1] = 7;
        s.Register(1, 7).foregroundBrightness = 77;
        s.selectedColourSet = 3;
        s.colourSets[3][10] = rgba_t{1, 2, 3, 4};
    }));
    Connect();
    std::vector<std::string> expected{"connected", "modes",    "register", "colourset",
                                      "profiles",  "keycodes", "groups",   "colours"};
    EXPECT_EQ(screens->Events(), expected);

    ASSERT_EQ(screens->modes.count, 12u);
    EXPECT_EQ(screens->modes.index(), 7u);
    EXPECT_EQ(screens->modes.data()[4], keyboard->Mode(4));
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(1, 7));
    EXPECT_EQ(screens->currentRegister.current().foregroundBrightness, 77);
    EXPECT_EQ(screens->colourSet.current(), 3);
    ASSERT_EQ(screens->profiles.count, 3u);
    EXPECT_EQ(screens->profiles.index(), 1u);
    EXPECT_EQ(screens->profiles.data()[2].name.text(), "P2");
    EXPECT_EQ(screens->keyCodes.data()[5].code(), 0x3002);
    EXPECT_EQ(screens->keyColours.data()[10], (rgba_t{1, 2, 3, 4}));
    EXPECT_EQ(screens->connected.current(), 2);

    const auto& table = logic->profileTable();
    ASSERT_EQ(table.count, 3u);
    EXPECT_EQ(table.index(), 1u);
    EXPECT_EQ(table.data()[1].index(), 7u);
    EXPECT_EQ(table.data()[2].data()[11], keyboard->Register(2, 11));
}

TEST_F(ConnectionRead, WithoutMacrosNoGroupListIsPublished) {
    Connect();
    auto events = screens->Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "groups"), 0);
    EXPECT_EQ(events.back(), "colours");
}

TEST_F(ConnectionRead, ProfileModeEqualToModeCountLeavesModeZero) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.activeProfile = 0;
        s.profileModes[0] = 5;
    }));
    patcher->SetPatch([](FeaturePacket& answer) {
        if (answer.command == (ProfileMode | kQueryFlag) && answer.sub == 0) answer.data[0] = 12;
    });
    Connect();
    EXPECT_EQ(logic->profileTable().data()[0].index(), 0u);
    EXPECT_EQ(screens->modes.index(), 0u);
    EXPECT_EQ(screens->currentRegister.current(), keyboard->Register(0, 0));
}

TEST_F(ConnectionRead, ActiveProfileOutOfRangeKeepsTheFirst) {
    patcher->SetPatch([](FeaturePacket& answer) {
        if (answer.command == (ActiveProfile | kQueryFlag)) answer.data[0] = 3;
    });
    Connect();
    EXPECT_EQ(logic->profileTable().index(), 0u);
    EXPECT_EQ(screens->profiles.index(), 0u);
}

TEST_F(ConnectionRead, ReplugLeavesOneTableElementPerProfileWithTheNewValues) {
    Connect();
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.Register(2, 3).setSpeed(9);
        s.profileModes[2] = 3;
    }));
    ClearLog();
    screens->ClearEvents();
    Replug();
    const auto& table = logic->profileTable();
    ASSERT_EQ(table.count, 3u);
    for (uint32_t p = 0; p < 3; ++p) EXPECT_EQ(table.data()[p].count, 12u);
    EXPECT_EQ(table.data()[2].index(), 3u);
    EXPECT_EQ(table.data()[2].data()[3].speed(), 9);
    EXPECT_EQ(screens->profiles.count, 3u);
    EXPECT_EQ(screens->modes.count, 12u);
    // The removal cleared the key codes; the arrival read everything again.
    auto events = screens->Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "connected");
    EXPECT_EQ(events[1], "connected");
    EXPECT_EQ(Requests(), ExpectedConnectionRead(3, 12, {}, 0));
}

TEST_F(ConnectionRead, RemovalClearsKeyCodesAndStopsWorkers) {
    PutMacro(5, 2, 0x04, 3);
    Connect();
    EXPECT_TRUE(logic->firstWorker().IsWorkerRunning());
    EXPECT_TRUE(logic->secondWorker().IsTimerRunning());
    backend->UnplugKeyboard();
    EXPECT_TRUE(logic->OnRemove(EmulatedBackend::KeyboardPath()));
    Idle();
    EXPECT_EQ(screens->connected.current(), 0);
    EXPECT_EQ(screens->keyCodes.data()[5].code(), 0);
    EXPECT_FALSE(logic->firstWorker().IsWorkerRunning());
    EXPECT_FALSE(logic->secondWorker().IsTimerRunning());
    EXPECT_FALSE(logic->keyCodesRead());
}

TEST_F(ConnectionRead, OtherPathsAreIgnored) {
    Connect();
    ClearLog();
    for (const std::string& path : EmulatedBackend::KeyboardInterfacePaths()) {
        if (path == EmulatedBackend::KeyboardPath()) continue;
        EXPECT_FALSE(logic->OnRemove(path)) << path;
    }
    EXPECT_FALSE(
        logic->OnArrival("\\\\?\\usbstor#disk&ven_x#1#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}"));
    Idle();
    EXPECT_EQ(screens->connected.current(), 2);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ConnectionRead, StartingWithoutKeyboardPublishesZeroKeyCodes) {
    backend->UnplugKeyboard();
    ASSERT_TRUE(screens->keyCodes.data() != nullptr);
    screens->keyCodes.data()[3].setCode(0x2004);  // stale value the screens still show
    Connect();
    EXPECT_EQ(screens->connected.current(), 0);
    EXPECT_EQ(screens->keyCodes.data()[3].code(), 0);
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(logic->firstWorker().IsWorkerRunning());
}

TEST_F(ConnectionRead, TwoKeysOnOneSlotMakeOneGroup) {
    PutMacro(5, 4, 0x04, 3);
    ASSERT_TRUE(
        keyboard->Modify([](KeyboardState& s) { s.keyCodes[9] = macro_code_t::make(4, 4); }));
    Connect();
    EXPECT_EQ(CountOf(MacroSlot | kQueryFlag), 1u);
    const auto& groups = screens->groups.current();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.front().info.current().id, 4);
    EXPECT_EQ(groups.front().items.current().size(), 3u);
}

TEST_F(ConnectionRead, EmptyMacroSlotMakesNoGroup) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.keyCodes[2] = macro_code_t::make(3, 1);
        s.macroSlots[1] = macro_block_t{};
    }));
    Connect();
    EXPECT_EQ(CountOf(MacroSlot | kQueryFlag), 1u);
    EXPECT_TRUE(screens->groups.current().empty());
}

TEST_F(ConnectionRead, SlotAtOrAboveTheSlotCountIsNotRead) {
    Build(KeyboardShape{3, 12, 4, 7});
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.keyCodes[1].setCode(0x3007);
        s.keyCodes[2] = macro_code_t::make(3, 6);
        s.macroSlots[6].name.set("six");
        s.macroSlots[6].append(macro_step_t::make(0x04, 0, 0));
    }));
    Connect();
    EXPECT_EQ(logic->macroSlotCount(), 7);
    auto requests = Requests();
    EXPECT_EQ(CountOf(MacroSlot | kQueryFlag), 1u);
    EXPECT_NE(std::find(requests.begin(), requests.end(), Query(MacroSlot, 6, 367)),
              requests.end());
}

TEST_F(ConnectionRead, GarbageInformationEndsTheRead) {
    keyboard->SetGarbageInformation(true);
    Connect();
    keyboard_info_t garbage;
    ASSERT_EQ(QueryFeature(*link, DeviceInfo, 0, garbage.bytes, 90), 90);
    ASSERT_TRUE(garbage.profileCount() > kMaxProfiles || garbage.modeCount() > kMaxModes);
    EXPECT_EQ(Requests(),
              (std::vector<Request>{Query(DeviceInfo, 0, 90), Query(DeviceInfo, 0, 90)}));
    EXPECT_EQ(logic->profileTable().count, 0u);
    EXPECT_EQ(logic->macroSlotCount(), 0);
    EXPECT_EQ(screens->modes.count, 0u);

    keyboard->SetGarbageInformation(false);
    ClearLog();
    Replug();
    EXPECT_EQ(Requests(), ExpectedConnectionRead(3, 12, {}, 0));
}

TEST_F(ConnectionRead, CountsJustPastTheBoundsEndTheReadAndCountsAtTheBoundsDoNot) {
    patcher->SetPatch([](FeaturePacket& answer) {
        if (answer.command == (DeviceInfo | kQueryFlag)) answer.data[78] = kMaxProfiles + 1;
    });
    Connect();
    EXPECT_EQ(Requests(), std::vector<Request>{Query(DeviceInfo, 0, 90)});

    patcher->SetPatch([](FeaturePacket& answer) {
        if (answer.command != (DeviceInfo | kQueryFlag)) return;
        answer.data[78] = kMaxProfiles;
        answer.data[80] = 1;  // one mode, so that every profile's query can be answered
        answer.data[81] = 0;
    });
    ClearLog();
    Replug();
    // The keyboard has 3 profiles, so the fourth profile's mode query fails.
    EXPECT_EQ(CountOf(ModeAttributes | kQueryFlag), 1u);
    EXPECT_EQ(CountOf(ModeRegister | kQueryFlag), 4u);
    EXPECT_EQ(logic->profileTable().count, 3u);
}

// The groups beside the keyboard's macros: a read never renames, removes or doubles a group.
struct Held {
    const wchar_t* name;
    int id;
    uint8_t usage;  // the key of its two steps
};
struct OnBoard {
    int slot;
    const char* name;
    uint8_t usage;
};
struct MergeCase {
    const char* what;
    std::vector<Held> before;
    std::vector<OnBoard> keyboard;
    std::vector<Held> after;
};

macro_block_t Block(const std::string& name, uint8_t usage) {
    macro_block_t block;
    block.name.set(name);
    block.repeat = 1;
    block.append(macro_step_t::make(usage, 20, 0));
    block.append(macro_step_t::make(usage, 20, 1));
    return block;
}

MacroRecordGroup GroupOf(const Held& held) {
    MacroRecordGroup group = DecodeMacroBlock(Block("", held.usage), held.id);
    group.info.current().name = held.name;
    return group;
}

class ReadBesideGroups : public LogicTest, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(ReadBesideGroups, KeepsTheUsersGroups) {
    const MergeCase& c = GetParam();
    ASSERT_TRUE(keyboard->Modify([&](KeyboardState& s) {
        for (const OnBoard& macro : c.keyboard) {
            s.macroSlots[static_cast<size_t>(macro.slot)] = Block(macro.name, macro.usage);
            s.keyCodes[static_cast<size_t>(macro.slot) + 1] =
                macro_code_t::make(3, static_cast<unsigned>(macro.slot));
        }
    }));
    std::list<MacroRecordGroup> before;
    for (const Held& held : c.before) before.push_back(GroupOf(held));
    screens->groups.current() = before;
    std::list<MacroRecordGroup> expected;
    for (const Held& held : c.after) expected.push_back(GroupOf(held));
    Connect();
    EXPECT_EQ(screens->groups.current(), expected) << c.what;
    Replug();  // a second read finds the same and changes nothing
    EXPECT_EQ(screens->groups.current(), expected) << c.what << ", read again";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBesideGroups,
    ::testing::Values(MergeCase{"the same steps keep the group's name and place",
                                {{L"mine", -1, 4}, {L"other", 3, 5}},
                                {{6, "M6", 4}},
                                {{L"mine", 6, 4}, {L"other", -1, 5}}},
                      MergeCase{"the slot's group of that name takes the keyboard's steps",
                                {{L"Copy", 0, 4}},
                                {{0, "Copy", 5}},
                                {{L"Copy", 0, 5}}},
                      MergeCase{"a slot given another macro leaves the group as it was",
                                {{L"Copy", 0, 4}},
                                {{0, "Paste", 5}},
                                {{L"Copy", -1, 4}, {L"Paste", 0, 5}}},
                      MergeCase{"a copy stays a copy",
                                {{L"Copy", 0, 4}, {L"Copy (2)", -1, 4}},
                                {{0, "Copy", 4}},
                                {{L"Copy", 0, 4}, {L"Copy (2)", -1, 4}}},
                      MergeCase{"a macro the list lacks joins it under a free name",
                                {{L"Hello", -1, 4}},
                                {{2, "Hello", 5}},
                                {{L"Hello", -1, 4}, {L"Hello (2)", 2, 5}}}));

TEST_F(ConnectionRead, ACombinationOnAKeyIsNoGroup) {
    shapes::CombKeys combinations;
    const MacroCombKey copy{L"Copy", {{0xE0, 0}, {0x06, 0}}};
    combinations.store(&copy, 1, false);
    macrokey_pack_t pack;
    macroreq::FillCombination(pack, copy, 4);
    ASSERT_TRUE(keyboard->Modify([&](KeyboardState& s) {
        s.macroSlots[0] = pack.macro;
        s.keyCodes[4] = macro_code_t::make(3, 0);
    }));
    Connect();
    EXPECT_TRUE(screens->groups.current().empty());
    // Assigned again, it takes another slot and still makes no group.
    pack.setType(3);
    PublishAssignment(pack);
    EXPECT_EQ(keyboard->KeyCodes()[4].code(), 0x3001);
    EXPECT_TRUE(screens->groups.current().empty());
}

}  // namespace
