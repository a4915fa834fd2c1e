// Which macro slot an assignment takes: never one that a key still plays or a group names.
#include <gtest/gtest.h>

#include "logic/MacroBlockCodec.h"
#include "support/LogicFixture.h"

namespace {

class MacroSlots : public LogicTest {
protected:
    static MacroRecordGroup Group(int id, const wchar_t* name, std::initializer_list<int> codes) {
        MacroRecordGroup group;
        group.info.current() = MacroRecordGpInfo{id, 1, name};
        for (int code : codes) group.items.current().push_back(MacroRecordGpItem{code, 0, 30, L""});
        return group;
    }
    void Assign(int key, const MacroRecordGroup& group) {
        macrokey_pack_t pack;
        pack.setType(3);
        pack.setKey(static_cast<uint16_t>(key));
        pack.macro = EncodeMacroGroup(group);
        PublishAssignment(pack);
    }
    int SlotOf(int key) const {
        const macro_code_t code = keyboard->KeyCodes()[static_cast<size_t>(key)];
        return code.playsMacro() ? code.value() : -1;
    }
    // Whether `key` plays `group`'s macro on the keyboard.
    bool Plays(int key, const MacroRecordGroup& group) const {
        const int slot = SlotOf(key);
        return slot >= 0 && keyboard->Macro(slot) == EncodeMacroGroup(group);
    }
};

TEST_F(MacroSlots, OneGroupOnTwoKeysKeepsBothSlotsFromTheNextGroup) {
    Connect();
    const MacroRecordGroup g = Group(-1, L"G", {0x1E, 0x1F});
    const MacroRecordGroup h = Group(-1, L"H", {0x20});
    ShareGroups({g, h});
    Assign(5, g);
    Assign(6, g);
    Assign(7, h);
    EXPECT_TRUE(Plays(5, g));
    EXPECT_TRUE(Plays(6, g));
    EXPECT_TRUE(Plays(7, h));
    EXPECT_NE(SlotOf(7), SlotOf(5));
    EXPECT_NE(SlotOf(7), SlotOf(6));
}

// Keys 5 and 7 play slots 0 and 1; the group list no longer names them, as after editing,
// deleting or renumbering groups in the editor.
TEST_F(MacroSlots, ASlotThatKeysPlayIsNeverHandedOutWhateverTheGroupsSay) {
    struct Case {
        const char* what;
        std::list<MacroRecordGroup> groups;
        int expectedSlot;
    };
    const std::vector<Case> cases{
        {"all groups deleted", {}, 2},
        {"groups without a slot", {Group(-1, L"a", {0x10}), Group(-1, L"b", {0x11})}, 2},
        {"groups renumbered", {Group(2, L"a", {0x10}), Group(4, L"b", {0x11})}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Build(KeyboardShape{3, 12, 4, 8});
        PutMacro(5, 0, 0x04, 2);
        PutMacro(7, 1, 0x05, 3);
        const macro_block_t slot0 = keyboard->Macro(0);
        const macro_block_t slot1 = keyboard->Macro(1);
        Connect();
        ShareGroups(c.groups);
        const MacroRecordGroup fresh = Group(-1, L"fresh", {0x30});
        Assign(9, fresh);
        EXPECT_EQ(SlotOf(9), c.expectedSlot);
        EXPECT_TRUE(Plays(9, fresh));
        EXPECT_TRUE(keyboard->Macro(0) == slot0) << "slot 0 was overwritten";
        EXPECT_TRUE(keyboard->Macro(1) == slot1) << "slot 1 was overwritten";
        EXPECT_EQ(SlotOf(5), 0);
        EXPECT_EQ(SlotOf(7), 1);
    }
}

// Reports after the request: 1 the macro slot, 2 the key codes, 3 and 4 their read-back.
TEST_F(MacroSlots, AKeyCodeTableThatIsNotWrittenAndReadBackChangesNoGroup) {
    for (uint64_t failed : {2u, 3u, 4u}) {
        SCOPED_TRACE("failed report " + std::to_string(failed));
        Build(KeyboardShape{3, 12, 4, 16});
        Connect();
        const MacroRecordGroup g = Group(-1, L"G", {0x1E});
        ShareGroups({g});
        backend->FailReport(backend->ReportCount() + failed);
        Assign(5, g);
        const auto& groups = screens->groups.current();
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_EQ(groups.front().info.current().id, -1);
        EXPECT_EQ(groups.front().items.current(), g.items.current());
    }
}

TEST_F(MacroSlots, ATableTheKeyboardRefusedIsNotSentWithTheNextAssignment) {
    Connect();
    const MacroRecordGroup g = Group(-1, L"G", {0x1E});
    ShareGroups({g});
    backend->FailReport(backend->ReportCount() + 2);
    Assign(5, g);
    ASSERT_EQ(keyboard->KeyCodes()[5].code(), 0);
    macrokey_pack_t direct;
    direct.setType(2);
    direct.setKey(6);
    direct.setCode(0x04);
    PublishAssignment(direct);
    EXPECT_EQ(keyboard->KeyCodes()[6].code(), 0x2004);
    EXPECT_EQ(keyboard->KeyCodes()[5].code(), 0);
    EXPECT_EQ(screens->keyCodes.data()[5].code(), 0);
}

}  // namespace
