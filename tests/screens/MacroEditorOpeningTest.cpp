// The macro editor opens on what its key plays now, and OK without a change keeps it.
#include "records/KeyTable.h"
#include "records/MacroRequest.h"
#include "records/SharedShapes.h"
#include "support/MacroTestSupport.h"

namespace macrotest {
namespace {

class MacroEditorOpening : public MacroEditorTest {
protected:
    void SetUp() override {
        MacroEditorTest::SetUp();
        shared->funcKeys.current() = MacroFuncKey{L"Mute", 0x100E2, L"", L""};
        shared->funcKeys.push_back(MacroFuncKey{L"Calculator", 0x192, L"", L""});
        shared->combKeys.current() = MacroCombKey{L"Copy", {{0xE0, 0}, {0x06, 0}}};
        shared->combKeys.push_back(MacroCombKey{L"Paste", {{0xE0, 0}, {0x19, 0}}});
        auto& groups = shared->groups.data()[0];
        groups.push_back(MakeGroup(-1, L"Mine", 2));
        groups.push_back(MakeGroup(4, L"Recorded", 2));
        // Slot 6 holds the combination, which is no group.
        macrokey_pack_t paste;
        macroreq::FillCombination(paste, shared->combKeys.data()[1], key.index);
        const std::map<int, macro_block_t> onBoard{{6, paste.macro}};
        slotMacros.store(&onBoard, 1, false);
        // The last use: the function page with its first entry.
        shared->params.current() = MacroRecordParam{2, 0, 0, 0, 0, 0, 0, 0, 0};
        key.index = 12;
    }
    void Plays(std::uint16_t code) {
        shared->keyCodes.data()[key.index].setCode(code);
        shared->keyCodes.fireOthers(shapes::kApply, false);
        Settle();
    }

    shapes::SlotMacros slotMacros{shapes::kSlotMacrosName, nullptr, 0};
    shapes::EntryChoices choices{shapes::kEntryChoicesName};
};

TEST_F(MacroEditorOpening, OnThePageAndEntryOfWhatTheKeyPlays) {
    const std::uint16_t keyA = FindKeyByUsage(0x04).code();
    const std::uint16_t altLeft = FindKeyByUsage(0xE2).code();
    const struct {
        const char* what;
        std::uint16_t code;
        int page, gpsel, funcsel, cmbsel, singlekey;
        std::vector<MacroEntryChoice> chosen = {};
        bool okKeepsTheKey = false;  // OK without a change sends nothing
    } cases[] = {
        {"a recorded macro", 0x3004, 0, 1, 0, 0, 0},
        {"a macro held down", 0x4004, 0, 1, 0, 0, 0},
        {"a combination", 0x3006, 3, 0, 0, 1, 0},
        {"a function key", 0x2192, 2, 0, 1, 0, 0},
        {"another key", 0x2004, 1, 0, 0, 0, keyA},
        // Left Alt's usage is also Mute's code: the entry given to this key, else the first.
        {"a code of two entries", 0x20E2, 1, 0, 0, 0, altLeft},
        {"a code of two entries, Mute chosen", 0x20E2, 2, 0, 0, 0, 0, {{12, 2, 0}}},
        {"a choice of another key", 0x20E2, 1, 0, 0, 0, altLeft, {{13, 2, 0}}},
        {"a slot no group holds", 0x3009, 2, 0, 0, 0, 0, {}, true},
        {"nothing", 0x0000, 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        shared->params.current() = MacroRecordParam{2, 0, 0, 0, 0, 0, 0, 0, 0};
        shared->params.fireOthers(shapes::kApply, false);
        choices.store(&c.chosen, 1, false);
        choices.fireOthers(shapes::kApply, false);
        Plays(c.code);
        Open();
        const MacroRecordParam p = shared->params.current();
        EXPECT_EQ(p.page, c.page);
        EXPECT_EQ(p.gpsel, c.gpsel);
        EXPECT_EQ(p.funcsel, c.funcsel);
        EXPECT_EQ(p.cmbsel, c.cmbsel);
        EXPECT_EQ(p.singlekey, c.singlekey);
        EXPECT_EQ(Find<SOUI::STabCtrl>("tab_macro_mode_selection")->GetCurSel(), c.page);
        const size_t requests = shared->Requests().size();
        Click("btnOK");
        EXPECT_EQ(shared->Requests().size() == requests, c.okKeepsTheKey);
        Close();
    }
}

}  // namespace
}  // namespace macrotest
