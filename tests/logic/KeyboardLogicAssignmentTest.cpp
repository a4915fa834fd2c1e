// Assigning keys: the key-code table read first when it is missing, and macros in their slots.
#include <gtest/gtest.h>

#include <algorithm>

#include "logic/MacroBlockCodec.h"
#include "records/KeyTable.h"
#include "support/LogicFixture.h"

namespace {

class Assignment : public LogicTest {
protected:
    static macrokey_pack_t MacroAssignment(unsigned key, const macro_block_t& block) {
        macrokey_pack_t pack;
        pack.setType(3);
        pack.setKey(static_cast<uint16_t>(key));
        pack.macro = block;
        return pack;
    }
    static MacroRecordGroup Group(const wchar_t* name, int repeat,
                                  std::initializer_list<int> codes) {
        MacroRecordGroup group;
        group.info.current() = MacroRecordGpInfo{-1, repeat, name};
        for (int code : codes) group.items.current().push_back(MacroRecordGpItem{code, 0, 40, L""});
        return group;
    }
    // Report number of the answer to `request` in a clean connection read.
    static uint64_t AnswerNumber(const std::vector<Request>& read, const Request& request) {
        auto at = std::find(read.begin(), read.end(), request);
        return 2 * static_cast<uint64_t>(at - read.begin()) + 2;
    }
};

TEST_F(Assignment, AssignmentAfterAFailedKeyCodeReadReadsTheTableFirst) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) {
        s.keyCodes[1].setCode(0x2004);
        s.keyCodes[2].setCode(0x2005);
    }));
    backend->FailReport(
        AnswerNumber(ExpectedConnectionRead(3, 12, {}, 0), Query(KeyCodes, 0, 218)));
    Connect();
    ASSERT_FALSE(logic->keyCodesRead());
    EXPECT_EQ(screens->keyCodes.data()[1].code(), 0);
    ClearLog();

    KeyCodeTable expected = keyboard->KeyCodes();
    expected[5].setCode(0x201E);
    macrokey_pack_t pack;
    pack.setType(2);
    pack.setKey(5);
    pack.setCode(0x1E);
    PublishAssignment(pack);
    EXPECT_EQ(Requests(),
              (std::vector<Request>{Query(KeyCodes, 0, 218), Write(KeyCodes, 0, 0, expected),
                                    Query(KeyCodes, 0, 218)}));
    EXPECT_EQ(keyboard->KeyCodes()[1].code(), 0x2004);
    EXPECT_EQ(keyboard->KeyCodes()[2].code(), 0x2005);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0x201E);
    EXPECT_EQ(screens->keyCodes.data()[2].code(), 0x2005);
    EXPECT_TRUE(logic->keyCodesRead());
}

TEST_F(Assignment, AssignmentStopsWhenTheKeyCodesCannotBeRead) {
    ASSERT_TRUE(keyboard->Modify([](KeyboardState& s) { s.keyCodes[1].setCode(0x2004); }));
    backend->FailReport(
        AnswerNumber(ExpectedConnectionRead(3, 12, {}, 0), Query(KeyCodes, 0, 218)));
    Connect();
    ClearLog();
    backend->FailReport(backend->ReportCount() + 2);
    macrokey_pack_t pack;
    pack.setType(2);
    pack.setKey(5);
    pack.setCode(0x1E);
    PublishAssignment(pack);
    EXPECT_EQ(Requests(), std::vector<Request>{Query(KeyCodes, 0, 218)});
    EXPECT_EQ(keyboard->KeyCodes()[1].code(), 0x2004);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
}

TEST_F(Assignment, TwoMacroAssignmentsTakeTwoSlots) {
    Connect();
    MacroRecordGroup first = Group(L"first", 1, {0x1E, 0x1F});
    MacroRecordGroup second = Group(L"second", 2, {0x20});
    ShareGroups({first, second});

    PublishAssignment(MacroAssignment(5, EncodeMacroGroup(first)));
    PublishAssignment(MacroAssignment(6, EncodeMacroGroup(second)));
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0x3000);
    EXPECT_EQ(keyboard->KeyCodes()[6].code(), 0x3001);
    EXPECT_EQ(keyboard->Macro(0), EncodeMacroGroup(first));
    EXPECT_EQ(keyboard->Macro(1), EncodeMacroGroup(second));

    const auto& groups = screens->groups.current();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups.front().info.current().id, 0);
    EXPECT_EQ(groups.front().info.current().name, L"first");
    EXPECT_EQ(groups.back().info.current().id, 1);
}

TEST_F(Assignment, TheGroupIsFoundByItsEncodedBlockNotByRebuiltSteps) {
    Connect();
    // Steps rebuilt from the block would carry the key table's names and code 0 for a key it
    // does not know, so they would not equal these steps; the encoded blocks do.
    ASSERT_TRUE(FindKeyByCode(0x7E).isEmpty());
    MacroRecordGroup recorded = Group(L"pad", 1, {});
    recorded.items.current() = {MacroRecordGpItem{0x52, 0, 40, L"Insert/Pad 0"},
                                MacroRecordGpItem{0x7E, 1, 40, L"unknown"}};
    MacroRecordGroup other = recorded;
    other.info.current().repeat = 3;
    ShareGroups({other, recorded});
    PublishAssignment(MacroAssignment(4, EncodeMacroGroup(recorded)));
    const auto& groups = screens->groups.current();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups.front().info.current().id, -1);
    EXPECT_EQ(groups.back().info.current().id, 0);
    EXPECT_EQ(groups.back().items.current(), recorded.items.current());
}

TEST_F(Assignment, AMacroFromNoGroupIsAddedUnderItsSlot) {
    Connect();
    macro_block_t block;
    block.name.set("combo");
    block.repeat = 1;
    block.append(macro_step_t::make(0xE0, 100, 1));
    block.append(macro_step_t::make(0x06, 100, 1));
    PublishAssignment(MacroAssignment(9, block));
    const auto& groups = screens->groups.current();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups.front().info.current().id, 0);
    EXPECT_EQ(groups.front().info.current().name, L"combo");
    EXPECT_EQ(EncodeMacroGroup(groups.front()), block);
    // The next macro goes elsewhere.
    PublishAssignment(MacroAssignment(10, EncodeMacroGroup(Group(L"next", 1, {0x1E}))));
    EXPECT_EQ(keyboard->KeyCodes()[10].code(), 0x3001);
    EXPECT_EQ(keyboard->Macro(0), block);
}

TEST_F(Assignment, AFailedMacroDownloadMarksNoSlot) {
    Connect();
    MacroRecordGroup group = Group(L"g", 1, {0x1E});
    ShareGroups({group});
    backend->FailReport(backend->ReportCount() + 1);
    PublishAssignment(MacroAssignment(5, EncodeMacroGroup(group)));
    EXPECT_EQ(screens->groups.current().front().info.current().id, -1);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
}

}  // namespace
