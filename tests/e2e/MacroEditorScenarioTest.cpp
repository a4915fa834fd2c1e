// The macro editor under real input: opened from the key picture, groups added, picked by
// clicking their names and renamed by typing, a macro recorded with the record box and saved
// to a key.
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

    // F3 was given Mute, whose code is also Left Alt's: its editor opens on Mute, and OK keeps it.
    void ExpectF3OpensOnMute() {
        ClickKey("cbimg_macro_record", "F3");
        WaitForControl("btnOK");
        EXPECT_TRUE(WaitUntil([&] { return MacroFile().settings.page == 2; })) << MacroFileText();
        EXPECT_TRUE(WaitUntil([&] { return !a11y_->FindLabelled("Mute").empty(); }))
            << WithScreen("F3's editor does not show Mute");
        Click("btnOK");
        ASSERT_TRUE(WaitUntilGone("btnOK"));
        const int f3 = KeyInfo("cbimg_macro_record", "F3").index;
        EXPECT_TRUE(WaitUntil([&] {
            const auto keyboard = Keyboard();
            return keyboard && keyboard->keyCodes.at(f3).code() == 0x20E2;
        })) << "OK changed what F3 plays";
    }

    std::vector<QRect> keysBehind_;
};

TEST_F(MacroEditorScenario, AMacroIsRecordedIntoTheClickedGroupAndPlayedByTheKey) {
    ASSERT_TRUE(StartProgram());
    ClickLabelled("Keys");
    for (const char* name : {"G", "H", "T", "Y", "B", "N", "V", "F", "R", "J", "5", "6"})
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

TEST_F(MacroEditorScenario, WithoutGroupsTheEditorGuidesInsteadOfFailingSilently) {
    ASSERT_TRUE(StartProgram());
    // Esc opens no editor, and its tip says why.
    ClickLabelled("Keys");
    input_->MoveTo(KeyOnScreen("cbimg_macro_record", "Esc").center());
    EXPECT_TRUE(WaitUntil([&] {
        return !a11y_->FindLabelled("Esc cannot be reassigned.").empty();
    })) << WithScreen("Esc shows no tip that it cannot be reassigned");
    ClickKey("cbimg_macro_record", "Esc");
    EXPECT_FALSE(
        WaitUntil([&] { return !a11y_->Find("macro_group").empty(); }, std::chrono::seconds(1)))
        << WithScreen("Esc opened the editor");
    OpenEditorFor("A");
    ASSERT_TRUE(a11y_->Rows("macro_group").empty());
    // A first run shows the default settings: the delay field and the play mode are filled.
    for (const char* setting : {"edit_macro_delay_time", "macro_play_mode"})
        EXPECT_TRUE(ShowsContent(WaitForControl(setting).screen))
            << WithScreen(std::string(setting) + " is blank on a first run");
    // With a fixed delay the steps wait 50 ms by default, unlike "No delay".
    Click("chk_macro_fixed_delay");
    // The record box with no group makes one and records into it.
    const Control record = WaitForControl("chk_macro_record");
    input_->Click(QPoint(record.screen.left() + 8, record.screen.center().y()));
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == 1; }))
        << WithScreen("recording without a group made none");
    input_->Key("a");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_items").size() == 2; }))
        << WithScreen("the keys went nowhere");
    input_->Click(QPoint(record.screen.left() + 8, record.screen.center().y()));
    // A delay past what the keyboard keeps is held as the longest it keeps. The delay field is
    // the rows' last column, 280 pixels in.
    const std::vector<Control> steps = a11y_->Rows("macro_items");
    ASSERT_EQ(steps.size(), 2u);
    input_->Click(QPoint(steps[1].screen.left() + 320, steps[1].screen.center().y()));
    input_->Key("ctrl+a");
    input_->Type("99999");
    input_->Key("Tab");
    EXPECT_TRUE(WaitUntil([&] {
        const std::string text = MacroFileText();
        return text.find("delay=\"32767\"") != std::string::npos &&
               text.find("99999") == std::string::npos;
    })) << MacroFileText();

    // A group renamed to the next default name: "+" still gives a name of its own.
    input_->DoubleClick(a11y_->Rows("macro_group")[0].screen.center());
    input_->Key("ctrl+a");
    input_->Type("Group 1");
    input_->Key("Return");
    Click("groupAdd");
    ASSERT_TRUE(WaitUntil([&] {
        const auto file = MacroFile();
        return file.groups.size() == 2 && file.groups[0].info.name == L"Group 1";
    })) << MacroFileText();
    EXPECT_NE(MacroFile().groups[1].info.name, L"Group 1") << MacroFileText();
    EXPECT_EQ(MacroFile().groups[0].items.front().delay, 50) << MacroFileText();

    // The steps list follows the selection: the new group has none.
    EXPECT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_items").empty(); }))
        << WithScreen("the new group shows the steps of another");

    // Deleting a group with steps asks first; Escape keeps it.
    input_->Click(a11y_->Rows("macro_group")[0].screen.center());
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_items").size() == 2; }));
    // Typing on the group just clicked renames it.
    input_->Type("Kept");
    input_->Key("Return");
    EXPECT_TRUE(WaitUntil([&] {
        const auto file = MacroFile();
        return !file.groups.empty() && file.groups[0].info.name == L"Kept";
    })) << WithScreen("the name typed on the selected group was lost");
    Click("groupDel");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Delete group") == 1; }))
        << WithScreen("no question before deleting recorded steps");
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Delete group") == 0; }));
    EXPECT_EQ(a11y_->Rows("macro_group").size(), 2u);
    // Enter deletes it, and its steps leave the list with it.
    Click("groupDel");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Delete group") == 1; }));
    input_->Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == 1; }));
    input_->Click(a11y_->Rows("macro_group")[0].screen.center());
    Click("groupDel");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_items").empty(); }))
        << WithScreen("the deleted group's steps still show");

    // OK with nothing to assign says why and stays open.
    Click("btnOK");
    const Control reason = WaitForControl("text_assign_reason");
    EXPECT_TRUE(WaitUntil([&] { return ShowsContent(reason.screen); }))
        << WithScreen("OK without a group says nothing");
    EXPECT_EQ(WindowsTitled(kEditorTitle), 1);

    // The function key list comes from the default settings; its entry is assigned.
    ClickLabelled("Function keys");
    ChooseFromList("cmb_media_keys", "Mute");
    Click("btnOK");
    ASSERT_TRUE(WaitUntilGone("macro_group")) << WithScreen("the editor did not close");
    const int a = KeyInfo("cbimg_macro_record", "A").index;
    EXPECT_TRUE(WaitUntil([&] {
        const auto keyboard = Keyboard();
        return keyboard && keyboard->keyCodes.at(a).code() == 0x20E2;
    })) << "key A does not send Mute";
}

TEST_F(MacroEditorScenario, TheEditorOpensOnWhatTheKeyPlaysAndKeepsItsGroupAfterARestart) {
    ASSERT_TRUE(StartProgram());
    // Key A gets the combination "Copy", which the keyboard keeps as a macro.
    OpenEditorFor("A");
    ClickLabelled("Combination keys");
    ChooseFromList("cmb_function_keys", "Copy");
    Click("btnOK");
    ASSERT_TRUE(WaitUntilGone("btnOK"));
    // On S a new group is added after it, and stays selected.
    ClickKey("cbimg_macro_record", "S");
    WaitForControl("btnOK");
    ClickLabelled("Macro");
    const size_t before = a11y_->Rows("macro_group").size();
    Click("groupAdd");
    ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == before + 1; }));
    const QString selected = a11y_->Rows("macro_group").back().label;
    Click("btnCancel");
    ASSERT_TRUE(WaitUntilGone("btnOK"));

    // Reopened on A, the editor shows the combination page with "Copy".
    ClickKey("cbimg_macro_record", "A");
    ASSERT_TRUE(WaitUntil([&] { return !a11y_->Find("cmb_function_keys").empty(); }))
        << WithScreen("the editor did not open on the combination page");
    Click("btnCancel");
    ASSERT_TRUE(WaitUntilGone("btnOK"));

    // F3 plays Mute.
    ClickKey("cbimg_macro_record", "F3");
    WaitForControl("btnOK");
    ClickLabelled("Function keys");
    ChooseFromList("cmb_media_keys", "Mute");
    Click("btnOK");
    ASSERT_TRUE(WaitUntilGone("btnOK"));
    ExpectF3OpensOnMute();

    // After a restart the keyboard's macro is read back and moves to the end of the list; the
    // selection stays on the group that was selected.
    program_->Stop();
    ASSERT_TRUE(StartProgram());
    ClickLabelled("Keys");
    ClickKey("cbimg_macro_record", "D");
    WaitForControl("btnOK");
    ClickLabelled("Macro");
    std::vector<Control> rows;
    ASSERT_TRUE(WaitUntil([&] {
        rows = a11y_->Rows("macro_group");
        return std::any_of(rows.begin(), rows.end(), [](const Control& r) { return r.checked; });
    })) << WithScreen("no group is selected");
    const auto chosen =
        std::find_if(rows.begin(), rows.end(), [](const Control& r) { return r.checked; });
    EXPECT_EQ(chosen->label.toStdString(), selected.toStdString())
        << WithScreen("another group is selected after a restart");
    Click("btnCancel");
    ASSERT_TRUE(WaitUntilGone("btnOK"));
    // The macro page was used last; F3 still opens on its function, kept in "macro.xml".
    ExpectF3OpensOnMute();
    const auto choices = MacroFile().choices;
    const int f3 = KeyInfo("cbimg_macro_record", "F3").index;
    EXPECT_TRUE(std::any_of(choices.begin(), choices.end(), [&](const MacroEntryChoice& c) {
        return c.key == f3 && c.page == 2;
    })) << MacroFileText();
}

}  // namespace
}  // namespace e2e
