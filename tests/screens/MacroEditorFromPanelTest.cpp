// The editor opened from the macro key picture of the keyboard panel.
#include <QKeyEvent>
#include <QWindow>

#include "screens/MacroRecordDlg.h"
#include "store/ShapeDispatcher.h"
#include "support/MacroTestSupport.h"
#include "support/PanelTestSupport.h"

namespace {

void Quiet() {
    for (int i = 0; i < 4; ++i) {
        ShapeDispatcher::waitIdle();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void Press(SOUI::SHostDialog& d, const char* name) {
    auto* w = d.GetRoot()->FindChildByName(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    if (auto* button = dynamic_cast<SOUI::SButton*>(w)) button->Click();
    if (auto* box = dynamic_cast<SOUI::SToggleButton*>(w)) box->Click();
    Quiet();
}

void Type(SOUI::SHostDialog& d, unsigned evdev) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0);
        QCoreApplication::sendEvent(d.GetFrame()->windowHandle(), &event);
        Quiet();
    }
}

class MacroEditorFromPanel : public paneltest::PanelTest {};

TEST_F(MacroEditorFromPanel, RecordedMacroIsAssignedToThePickedKey) {
    Start();
    const CoordButtonInfo key = MacroKeys()->Items().at(1);
    SOUI::ScopedModalAnswerer answer([](SOUI::SHostDialog& d) {
        ASSERT_TRUE(MacroRecordDlg::IsClass("macro::Grouplg"));
        Press(d, "groupAdd");
        Press(d, "chk_macro_record");
        Type(d, macrotest::KEY_A);
        Press(d, "btnOK");
    });
    EXPECT_TRUE(host->ui.OnMacroKeyClick(key.id, key.order, key, 1, 0, 5, 5));
    Settle();
    const macro_code_t code = Keyboard().KeyCodes()[static_cast<size_t>(key.index)];
    ASSERT_EQ(code.type(), 3);
    const macro_block_t block = Keyboard().Macro(code.value());
    ASSERT_EQ(block.stepCount(), 2u);
    EXPECT_EQ(block.steps[0].key, 0x04);
    EXPECT_EQ(block.steps[1].state(), 1);
}

}  // namespace
