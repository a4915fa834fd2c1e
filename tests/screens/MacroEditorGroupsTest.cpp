// Groups, steps, requests and the refresh of the macro editor.
#include "records/KeyTable.h"
#include "records/SharedShapes.h"
#include "screens/KeyboardHook.h"
#include "support/MacroTestSupport.h"
#include "widgets/EditEx.h"

namespace macrotest {
namespace {

class MacroGroups : public MacroEditorTest {
protected:
    void WithGroups(int n, int gpsel = 0) {
        for (int i = 0; i < n; ++i)
            shared->groups.data()[0].push_back(MakeGroup(i, L"G" + std::to_wstring(i), 3));
        shared->params.current().gpsel = gpsel;
    }
    std::vector<int> Ids() {
        std::vector<int> ids;
        for (const auto& g : shared->GroupsNow()) ids.push_back(g.info.data()[0].id);
        return ids;
    }
    int GroupRows() { return Find<SOUI::SListView>("macro_group")->GetItemCount(); }
};

TEST_F(MacroGroups, AddTakesTheSmallestFreeIdUpToTen) {
    shared->groups.data()[0].push_back(MakeGroup(1, L"one"));
    Open();
    Click("groupAdd");
    EXPECT_EQ(Ids(), (std::vector<int>{1, 0}));
    EXPECT_EQ(shared->GroupsNow().back().info.data()[0], (MacroRecordGpInfo{0, 1, L"Group 0"}));
    EXPECT_EQ(shared->params.current().gpsel, 1);
    for (int i = 0; i < 9; ++i) Click("groupAdd");
    EXPECT_EQ(Ids(), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(GroupRows(), 10);
    EXPECT_EQ(shared->params.current().gpsel, 9);
    EXPECT_EQ(Find<SOUI::SListView>("macro_group")->GetSel(), 9);
}

TEST_F(MacroGroups, DeleteShowsTheFollowingGroup) {
    WithGroups(5, 3);
    Open();
    SelectGroupRow(3);
    Click("groupDel");
    EXPECT_EQ(Ids(), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(shared->params.current().gpsel, 3);
    EXPECT_EQ(dlg->workInfo().data()[0].name, L"G4");
    // Deleting the last group leaves the selection past the end: nothing is refreshed.
    SelectGroupRow(3);
    Click("groupDel");
    EXPECT_EQ(Ids(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(dlg->workInfo().data()[0].name, L"G4");
    Click("btnOK");
    EXPECT_TRUE(shared->Requests().empty());
}

TEST_F(MacroGroups, StepsMoveDeleteAndClear) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"G"));
    for (int i = 0; i < 3; ++i)
        shared->groups.data()[0].back().items.data()[0].push_back({0x10 + i, 0, i, L""});
    Open();
    auto codes = [&] {
        std::vector<int> c;
        const auto groups = shared->GroupsNow();
        for (const auto& item : groups.front().items.data()[0]) c.push_back(item.code);
        return c;
    };
    auto* list = Find<SOUI::SMcListView>("macro_items");
    SelectStepRow(0);
    Click("item_up");  // nothing above the first row
    EXPECT_EQ(codes(), (std::vector<int>{0x10, 0x11, 0x12}));
    SelectStepRow(2);
    Click("item_up");
    EXPECT_EQ(codes(), (std::vector<int>{0x10, 0x12, 0x11}));
    EXPECT_EQ(list->GetSel(), 1);
    SelectStepRow(2);
    Click("item_down");  // the last row stays, the selection moves past it
    EXPECT_EQ(codes(), (std::vector<int>{0x10, 0x12, 0x11}));
    SelectStepRow(0);
    Click("item_down");
    EXPECT_EQ(codes(), (std::vector<int>{0x12, 0x10, 0x11}));
    SelectStepRow(1);
    Click("item_delete");
    EXPECT_EQ(codes(), (std::vector<int>{0x12, 0x11}));
    EXPECT_EQ(list->GetItemCount(), 2);
    Click("item_clear");
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(MacroGroups, StepRowsShowCodeNameStateAndDelay) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"G"));
    auto& items = shared->groups.data()[0].back().items.data()[0];
    items.push_back({0x1E, 0, 12, L"A"});
    items.push_back({0x1E, 1, 0, L"A"});
    items.push_back({0x1E, 2, 0, L"A"});
    Open();
    auto* list = Find<SOUI::SMcListView>("macro_items");
    ASSERT_EQ(list->GetItemCount(), 3);
    auto text = [&](int row, const char* name) {
        return list->GetItemPanel(row)->FindChildByName(QString::fromLatin1(name))->GetWindowText();
    };
    EXPECT_EQ(text(0, "key_code"), "30");
    EXPECT_EQ(text(0, "key_name"), "A");
    EXPECT_EQ(text(0, "key_delay"), "12");
    EXPECT_EQ(text(0, "key_state"), "key down");
    EXPECT_EQ(text(1, "key_state"), "key up");
    EXPECT_EQ(text(2, "key_state"), "replace");
    // Header clicks change only the flags.
    list->OnHeaderClick(1);
    list->OnHeaderClick(1);
    list->OnHeaderClick(3);
    EXPECT_EQ(list->SortFlags(), (std::vector<SOUI::SHDSORTFLAG>{SOUI::ST_NULL, SOUI::ST_NULL,
                                                                 SOUI::ST_NULL, SOUI::ST_UP}));
    EXPECT_EQ(text(0, "key_delay"), "12");
}

TEST_F(MacroGroups, TypedStepDelayReachesTheGroupList) {
    WithGroups(1);
    Open();
    auto* list = Find<SOUI::SMcListView>("macro_items");
    auto* delay = list->GetItemPanel(1)->FindChildByName2<SOUI::SEditEx>("key_delay");
    ASSERT_NE(delay, nullptr);
    delay->SetWindowText("250");
    Settle();
    auto groups = shared->GroupsNow();
    EXPECT_EQ(std::next(groups.front().items.data()[0].begin())->delay, 250);
    // Text that is no number puts the stored delay back; a number past what the keyboard keeps
    // becomes the nearest it keeps, in the field and the group alike.
    for (const auto& [typed, kept] : {std::pair{"x", 250}, {"99999", 32767}, {"-5", 0}}) {
        delay->SetWindowText(typed);
        Settle();
        EXPECT_EQ(delay->GetWindowText(), QString::number(kept)) << typed;
        groups = shared->GroupsNow();
        EXPECT_EQ(std::next(groups.front().items.data()[0].begin())->delay, kept) << typed;
    }
}

TEST_F(MacroGroups, RenamingTheSelectedGroupSurvivesARepeatEdit) {
    WithGroups(2, 1);
    Open();
    auto* list = Find<SOUI::SListView>("macro_group");
    auto* name = list->GetItemPanel(1)->FindChildByName2<SOUI::SEdit>("group_name");
    ASSERT_NE(name, nullptr);
    name->SetWindowText("Renamed");
    Settle();
    SetEditText("edit_macro_repeat_times", "4");
    const auto groups = shared->GroupsNow();
    EXPECT_EQ(groups.back().info.data()[0], (MacroRecordGpInfo{1, 4, L"Renamed"}));
    EXPECT_EQ(groups.front().info.data()[0].name, L"G0");
}

TEST_F(MacroGroups, RefreshRestoresEverythingAtTheNextOpening) {
    WithGroups(3, 0);
    shared->funcKeys.current() = MacroFuncKey{L"Mute", 0xE2, L"", L""};
    Open();
    SelectGroupRow(2);
    Check("chk_macro_fixed_delay");
    SetEditText("edit_macro_delay_time", "35");
    Find<SOUI::SComboBox>("macro_play_mode")->SetCurSel(2, true);
    SelectPage(2);
    Close();
    EXPECT_EQ(shared->params.current(), (MacroRecordParam{2, 2, 0, 0, 0, 0, 1, 35, 2}));

    Open();
    auto* tab = dynamic_cast<SOUI::STabCtrl*>(
        dlg->GetRoot()->FindChildByName(QStringLiteral("tab_macro_mode_selection")));
    EXPECT_EQ(tab->GetCurSel(), 2);
    EXPECT_EQ(Find<SOUI::SListView>("macro_group")->GetSel(), 2);
    EXPECT_EQ(dlg->workInfo().data()[0].name, L"G2");
    EXPECT_TRUE(dlg->GetRoot()->FindChildByName("chk_macro_fixed_delay")->IsChecked());
    EXPECT_FALSE(dlg->GetRoot()->FindChildByName("chk_macro_realy_delay")->IsChecked());
    EXPECT_EQ(Find<SOUI::SEdit>("edit_macro_delay_time")->GetWindowText(), "35");
    EXPECT_EQ(Find<SOUI::SComboBox>("macro_play_mode")->GetCurSel(), 2);
    EXPECT_EQ(Find<SOUI::SComboBox>("cmb_media_keys")->GetLBText(0), "Mute");
    EXPECT_FALSE(Find<SOUI::SCheckBox>("chk_macro_record")->IsChecked());
}

class MacroRequests : public MacroGroups {};

TEST_F(MacroRequests, MacroPageSendsTheSelectedGroup) {
    WithGroups(2, 1);
    key.index = 42;
    Open();
    SetEditText("edit_macro_repeat_times", "6");
    Find<SOUI::SComboBox>("macro_play_mode")->SetCurSel(1, true);
    Settle();
    Click("btnOK");
    const auto requests = shared->Requests();
    ASSERT_EQ(requests.size(), 1u);
    const macrokey_pack_t& r = requests[0];
    EXPECT_EQ(r.type(), 3);
    EXPECT_EQ(r.key(), 42);
    EXPECT_EQ(r.macro.repeat, 6);
    EXPECT_EQ(r.macro.count, 3);
    EXPECT_EQ(r.macro.name.text(), "G1");
    EXPECT_EQ(r.macro.steps[1].delay(), 10);
    EXPECT_EQ(r.macro.steps[1].state(), 1);
}

TEST_F(MacroRequests, ListPagesOutOfRangePublishNothing) {
    shared->funcKeys.current() = MacroFuncKey{L"Mute", 0x100E2, L"", L""};
    shared->combKeys.current() = MacroCombKey{L"Copy", {{0xE0, 0}, {0x06, 0}}};
    shared->params.current() = MacroRecordParam{2, 0, 0, 1, 0, 0, 0, 0, 0};
    Open();
    Click("btnOK");
    EXPECT_TRUE(shared->Requests().empty());
    Find<SOUI::SComboBox>("cmb_media_keys")->SetCurSel(0, true);
    Click("btnOK");
    ASSERT_EQ(shared->Requests().size(), 1u);
    EXPECT_EQ(shared->Requests()[0].type(), 2);
    EXPECT_EQ(shared->Requests()[0].code(), 0xE2);
    SelectPage(3);
    shared->params.current().cmbsel = 5;
    shared->params.fireOthers(shapes::kApply, false);
    Settle();
    Click("btnOK");
    EXPECT_EQ(shared->Requests().size(), 1u);
    Find<SOUI::SComboBox>("cmb_function_keys")->SetCurSel(0, true);
    Click("btnOK");
    ASSERT_EQ(shared->Requests().size(), 2u);
    EXPECT_EQ(shared->Requests()[1].type(), 3);
    EXPECT_EQ(shared->Requests()[1].macro.count, 4);
}

TEST_F(MacroRequests, SingleKeyPageWithNoKeySendsCodeZero) {
    shared->params.current().page = 1;
    Open();
    Click("btnOK");
    ASSERT_EQ(shared->Requests().size(), 1u);
    EXPECT_EQ(shared->Requests()[0].type(), 2);
    EXPECT_EQ(shared->Requests()[0].code(), 0);
}

TEST_F(MacroRequests, OkAgainSendsAgainEvenWhenUnchanged) {
    shared->params.current().page = 1;
    Open();
    Click("btnOK");
    Click("btnOK");
    EXPECT_EQ(shared->Requests().size(), 2u);
}

TEST_F(MacroRequests, DeleteAndCancelEndTheDialog) {
    WithGroups(1);
    key.index = 8;
    int code = 0;
    {
        SOUI::ScopedModalAnswerer answer([](SOUI::SHostDialog& d) {
            d.GetRoot()->FindChildByName2<SOUI::SButton>("btnDelete")->Click();
        });
        MacroRecordDlg editor(L"K", key);
        code = editor.DoModal();
    }
    Settle();
    EXPECT_EQ(code, MacroRecordDlg::END_DELETE);
    ASSERT_EQ(shared->Requests().size(), 1u);
    EXPECT_EQ(shared->Requests()[0].type(), 0);
    EXPECT_EQ(shared->Requests()[0].key(), 8);
    {
        SOUI::ScopedModalAnswerer answer([](SOUI::SHostDialog& d) {
            d.GetRoot()->FindChildByName2<SOUI::SButton>("btnCancel")->Click();
        });
        MacroRecordDlg editor(L"K", key);
        code = editor.DoModal();
    }
    Settle();
    EXPECT_EQ(code, SOUI::IDCANCEL);
    EXPECT_EQ(shared->Requests().size(), 1u);
    EXPECT_FALSE(KeyboardHook::IsInstalled());
}

}  // namespace
}  // namespace macrotest

namespace macrotest {
namespace {

class MacroEditorGuards : public MacroEditorTest {};

TEST_F(MacroEditorGuards, DeletingAGroupWithStepsAsksAndANoKeepsIt) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"Steps", 3));
    shared->groups.data()[0].push_back(MakeGroup(1, L"Empty"));
    Open();
    confirm = false;
    SelectGroupRow(0);
    Click("groupDel");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].contains("Steps"));
    EXPECT_EQ(shared->GroupsNow().size(), 2u);
    // A group without steps goes without a question.
    SelectGroupRow(1);
    Click("groupDel");
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(shared->GroupsNow().size(), 1u);
}

TEST_F(MacroEditorGuards, OkThatCannotAssignStaysOpenAndSaysWhy) {
    shared->combKeys.current() = MacroCombKey{L"Nothing", {}};
    const struct {
        int page;
        const char* reason;
    } cases[] = {{0, "group"}, {3, "no keys"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        shared->params.current() = MacroRecordParam{c.page, -1, 0, 0, 0, 0, 0, 0, 0};
        Open();
        Click("btnOK");
        EXPECT_TRUE(dlg->IsWindow());
        EXPECT_TRUE(dlg->AssignReason().contains(c.reason)) << dlg->AssignReason().toStdString();
        EXPECT_TRUE(shared->Requests().empty());
        Close();
    }
}

TEST_F(MacroEditorGuards, AFirstRunShowsTheDefaultSettingsWithoutAnyGroup) {
    shared->params.current() = MacroRecordParam{};
    Open();
    EXPECT_TRUE(Find<SOUI::SWindow>("chk_macro_realy_delay")->IsChecked());
    EXPECT_FALSE(Find<SOUI::SWindow>("chk_macro_fixed_delay")->IsChecked());
    auto* delay = Find<SOUI::SEdit>("edit_macro_delay_time");
    EXPECT_EQ(delay->GetWindowText(), "10");
    EXPECT_TRUE(delay->IsDisabled());
    EXPECT_EQ(Find<SOUI::SComboBox>("macro_play_mode")->GetCurSel(), 0);
    EXPECT_EQ(Find<SOUI::SEdit>("edit_macro_repeat_times")->GetWindowText(), "1");
}

TEST_F(MacroEditorGuards, NewGroupsNeverTakeANameInUse) {
    shared->groups.data()[0].push_back(MakeGroup(0, L"Group 1"));
    Open();
    Click("groupAdd");
    Click("groupAdd");
    std::vector<std::wstring> names;
    for (const auto& g : shared->GroupsNow()) names.push_back(g.info.data()[0].name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Group 1", L"Group 2", L"Group 3"}));
}

}  // namespace
}  // namespace macrotest
