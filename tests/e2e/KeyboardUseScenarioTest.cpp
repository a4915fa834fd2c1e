// The window without a mouse: Tab reaches the key pictures and the caption's buttons, the
// arrow keys move a visible focus between the keys, a screen reader hears the key's name, and
// Enter works as a click; in the key's editor the arrow keys pick a group, a key is typed into
// the single key field, and Escape cancels.
#include "records/KeyTable.h"
#include "support/Scenario.h"

namespace e2e {
namespace {

constexpr int kMostTabPresses = 60;

class KeyboardUseScenario : public Scenario {
protected:
    // Presses Tab until the named control has the focus.
    bool TabTo(const QString& name) {
        for (int press = 0; press < kMostTabPresses; ++press) {
            if (a11y_->First(name).focused) return true;
            input_->Key("Tab");
        }
        return a11y_->First(name).focused;
    }
};

TEST_F(KeyboardUseScenario, KeysAndButtonsAreReachedAndWorkedFromTheKeyboard) {
    ASSERT_TRUE(StartProgram());
    ClickLabelled("Keys");
    ASSERT_TRUE(TabTo("cbimg_macro_record")) << WithScreen("Tab never reaches the key picture");
    // The focus starts on Esc, which cannot be assigned: Enter opens nothing.
    EXPECT_TRUE(WaitUntil([&] { return a11y_->First("cbimg_macro_record").label == "Esc"; }));
    const QRect f1 = KeyOnScreen("cbimg_macro_record", "F1").adjusted(-4, -4, 4, 4);
    const QImage before = Screen();
    input_->Key("Return");
    input_->Key("Right");
    EXPECT_TRUE(WaitUntil([&] { return a11y_->First("cbimg_macro_record").label == "F1"; }))
        << "the picture does not announce the focused key";
    EXPECT_TRUE(WaitUntil([&] { return RegionChanged(before, Screen(), f1); }))
        << WithScreen("the focused key is not shown");
    EXPECT_TRUE(a11y_->Find("macro_group").empty()) << WithScreen("Esc opened the editor");
    // Down from F1 reaches a key of the row below; Enter opens its editor.
    input_->Key("Down");
    EXPECT_TRUE(WaitUntil([&] { return a11y_->First("cbimg_macro_record").label == "2"; }))
        << "down from F1: " << a11y_->First("cbimg_macro_record").label.toStdString();
    input_->Key("Return");
    EXPECT_FALSE(WaitForControl("macro_group").screen.isEmpty())
        << WithScreen("Enter on a key does not open its editor");
    // The arrow keys select the group they highlight.
    Click("groupAdd");
    Click("groupAdd");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == 2; }));
    input_->Click(a11y_->Rows("macro_group")[0].screen.center());
    input_->Key("Down");
    EXPECT_TRUE(WaitUntil([&] { return MacroFile().settings.gpsel == 1; })) << MacroFileText();
    // The single key field takes the key typed in it; Tab leaves it and is no key to send.
    ClickLabelled("Single key");
    const int x = FindKeyByUsage(0x1B).code();
    input_->Key("x");
    EXPECT_TRUE(WaitUntil([&] { return MacroFile().settings.singlekey == x; })) << MacroFileText();
    EXPECT_TRUE(ShowsContent(a11y_->First("edit_single_key").screen))
        << WithScreen("the typed key does not show");
    input_->Key("Tab");
    EXPECT_TRUE(WaitUntil([&] { return !a11y_->First("edit_single_key").focused; }))
        << WithScreen("Tab stays in the single key field");
    EXPECT_EQ(MacroFile().settings.singlekey, x) << "Tab was taken as the key to send";
    ASSERT_TRUE(TabTo("btnCancel")) << WithScreen("Tab never reaches the editor's Cancel");
    input_->Key("Return");
    ASSERT_TRUE(WaitUntilGone("macro_group")) << WithScreen("Enter on Cancel leaves the editor");
    ASSERT_TRUE(WaitUntilGone("btnOK")) << WithScreen("Enter on Cancel leaves the editor");
    // Escape outside the field cancels the editor: the key keeps playing nothing.
    input_->Key("Return");
    WaitForControl("btnOK");
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntilGone("btnOK")) << WithScreen("Escape does not close the editor");
    const int two = KeyInfo("cbimg_macro_record", "2").index;
    EXPECT_FALSE(Keyboard().value_or(KeyboardState::Defaults()).keyCodes.at(two).hasAssignment());

    // On the lighting page, in the mode of per-key colours, Space selects the focused key.
    ClickLabelled("Lighting");
    ChooseFromList("cmb_mainled_light_mode_normal", "Custom");
    ASSERT_TRUE(TabTo("cbimg_led_effect")) << WithScreen("Tab never reaches the lighting picture");
    input_->Key("Right");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->First("cbimg_led_effect").label == "F1"; }));
    const QRect ledF1 = KeyOnScreen("cbimg_led_effect", "F1");
    const QImage unselected = Screen();
    input_->Key("space");
    EXPECT_TRUE(WaitUntil([&] { return RegionChanged(unselected, Screen(), ledF1); }))
        << WithScreen("Space does not select the focused key");

    // Enter on the focused "more" button opens its menu.
    ASSERT_TRUE(TabTo("btn_more")) << WithScreen("Tab never reaches the more button");
    const QRect more = a11y_->First("btn_more").screen;
    const QRect belowMore(more.left() - 40, more.bottom() + 4, more.width() + 80, 50);
    const QImage closed = Screen();
    input_->Key("Return");
    EXPECT_TRUE(WaitUntil([&] { return RegionChanged(closed, Screen(), belowMore); }))
        << WithScreen("Enter on the more button opens no menu");
    input_->Key("Escape");
}

}  // namespace
}  // namespace e2e
