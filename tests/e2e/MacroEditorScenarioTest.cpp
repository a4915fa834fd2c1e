// The macro editor under real input: opened from the key picture, groups added and picked by
// clicking their names, a macro recorded with the record box and saved to a key.
#include "support/Scenario.h"

namespace e2e {
namespace {

const QString kEditorTitle = "Key assignment";

class MacroEditorScenario : public Scenario {
protected:
    void OpenEditorFor(const QString& key) {
        ClickLabelled("Keys");
        ClickKey("cbimg_macro_record", key);
        WaitForControl("macro_group");
    }

    // A point of `area` that lies over one of the keys behind the editor.
    QPoint OverAKeyBehind(const QRect& area) const {
        for (const QRect& key : keysBehind_) {
            const QRect both = key.intersected(area);
            if (!both.isEmpty()) return both.center();
        }
        return {};
    }

    std::vector<QRect> keysBehind_;
};

TEST_F(MacroEditorScenario, AMacroIsRecordedIntoTheClickedGroupAndPlayedByTheKey) {
    StartProgram();
    ClickLabelled("Keys");
    for (const QString& name : {"G", "H", "T", "Y", "B", "N", "V", "F", "R", "J", "5", "6"})
        keysBehind_.push_back(KeyOnScreen("cbimg_macro_record", name));
    const QRect keyA = KeyOnScreen("cbimg_macro_record", "A");
    const QImage before = Screen();

    OpenEditorFor("A");
    ASSERT_EQ(WindowsTitled(kEditorTitle), 1);
    Click("groupAdd");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == 1; }));
    Click("groupAdd");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == 2; }))
        << WithScreen("the second group did not show");
    // New rows show their names.
    for (const Control& row : a11y_->Rows("macro_group"))
        EXPECT_TRUE(ShowsContent(row.screen)) << WithScreen("a group row is blank");

    // A click in the list where a key lies behind it is the list's: no second editor.
    const Control list = a11y_->First("macro_group");
    const auto rows = a11y_->Rows("macro_group");
    const QRect belowRows(list.screen.left(), rows.back().screen.bottom() + 8, list.screen.width(),
                          list.screen.bottom() - rows.back().screen.bottom() - 8);
    const QPoint behind = OverAKeyBehind(belowRows);
    ASSERT_FALSE(behind.isNull()) << "no key lies behind the group list";
    input_->Click(behind);
    Click("groupAdd");
    WaitUntil(
        [&] { return a11y_->Rows("macro_group").size() == 3 || WindowsTitled(kEditorTitle) > 1; });
    ASSERT_EQ(WindowsTitled(kEditorTitle), 1) << WithScreen("a click in the editor opened another");
    ASSERT_EQ(a11y_->Rows("macro_group").size(), 3u);

    // A click on the first group's name picks that group.
    const Control first = a11y_->Rows("macro_group").front();
    input_->Click(first.screen.center());
    EXPECT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").front().checked; }))
        << WithScreen("a click on a group's name did not select it");

    // The record box's own box starts recording; its icon stops it.
    const Control record = WaitForControl("chk_macro_record");
    input_->Click(QPoint(record.screen.left() + 8, record.screen.center().y()));
    input_->Key("a");
    input_->Key("b");
    EXPECT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_items").size() == 4; }))
        << WithScreen("the typed keys were not recorded");
    for (const Control& step : a11y_->Rows("macro_items"))
        EXPECT_TRUE(ShowsContent(step.screen)) << WithScreen("a step row is blank");
    input_->Click(QPoint(record.screen.left() + 32, record.screen.center().y()));
    input_->Key("c");
    Click("btnOK");
    ASSERT_TRUE(WaitUntilGone("macro_group")) << WithScreen("the editor did not close");

    // The steps went into the first group, and key A plays a macro.
    ASSERT_TRUE(WaitUntil([&] {
        const auto file = MacroFile();
        return file.groups.size() == 3 && file.groups.front().items.size() == 4;
    })) << MacroFileText();
    const auto file = MacroFile();
    EXPECT_TRUE(file.groups[1].items.empty());
    EXPECT_TRUE(file.groups[2].items.empty());
    const int a = KeyInfo("cbimg_macro_record", "A").index;
    ASSERT_TRUE(WaitUntil([&] {
        const auto keyboard = Keyboard();
        return keyboard && keyboard->keyCodes.at(a).playsMacro();
    })) << "key A does not play a macro";
    EXPECT_TRUE(WaitUntil([&] { return RegionChanged(before, Screen(), keyA); }))
        << WithScreen("key A is not shown as assigned");
}

}  // namespace
}  // namespace e2e
