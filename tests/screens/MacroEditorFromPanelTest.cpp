// The editor opened from the macro key picture of the keyboard panel.
#include "screens/MacroRecordDlg.h"
#include "support/MacroTestSupport.h"
#include "support/PanelTestSupport.h"
#include "support/UserInput.h"

namespace {

class MacroEditorFromPanel : public paneltest::PanelTest {};

TEST_F(MacroEditorFromPanel, RecordedMacroIsAssignedToThePickedKey) {
    Start();
    const CoordButtonInfo key = MacroKeys()->Items().at(1);
    SOUI::ScopedModalAnswerer answer([](SOUI::SHostDialog& d) {
        ASSERT_TRUE(MacroRecordDlg::IsClass("macro::Grouplg"));
        userinput::PressIn(d, "groupAdd");
        userinput::PressIn(d, "chk_macro_record");
        userinput::TypeIn(d, macrotest::KEY_A);
        userinput::PressIn(d, "btnOK");
    });
    EXPECT_TRUE(host->ui.OnMacroKeyClick(key.id, key.order, key, 1, 0, 5, 5));
    Settle();
    const macro_code_t code = Keyboard().KeyCodes()[static_cast<size_t>(key.index)];
    ASSERT_EQ(code.type(), 3);
    const macro_block_t block = Keyboard().Macro(code.value());
    ASSERT_EQ(block.stepCount(), 2u);
    EXPECT_EQ(block.steps[0].key, 0x04);
    EXPECT_EQ(block.steps[1].state(), 1);
    EXPECT_EQ(MacroKeys()->Items().at(1).checked, 1);
}

}  // namespace
