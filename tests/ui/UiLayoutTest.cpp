// Layout loading, lookups with their log lines, event routing and list views.
#include <QTest>

#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/Theme.h"

using namespace SOUI;
using uitest::CountOf;

namespace {

// Records the events that reach the host window, and lets a test decide the answer.
class RecordingHost : public SHostWnd {
public:
    using SHostWnd::SHostWnd;
    std::vector<std::string> log;
    bool handle = false;

protected:
    bool OnEvent(EventArgs* e) override {
        log.push_back("host:" + std::to_string(e->id) + ":" + e->nameFrom.toStdString());
        return handle;
    }
};

class Layout : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        testing::internal::CaptureStdout();
        wnd.Create();
        createLog = testing::internal::GetCapturedStdout();
    }
    RecordingHost wnd{"LAYOUT:test_main"};
    std::string createLog;
};

TEST_F(Layout, CreatesEveryWidgetWithItsClassAndPlace) {
    EXPECT_EQ(wnd.GetFrame()->size(), QSize(400, 300));
    auto* more = wnd.FindChildByName2<SButton>("btn_more");
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->GetID(), 65537);
    EXPECT_EQ(more->geometry(), QRect(5, 5, 60, 24));
    EXPECT_EQ(more->GetWindowRect(), QRect(15, 45, 60, 24));
    EXPECT_EQ(more->toolTip(), "Hello");
    EXPECT_NE(wnd.FindChildByName2<SCheckBox>("sync_light_dat"), nullptr);
    EXPECT_NE(wnd.FindChildByName2<SRadioBox>("radio_mainled_dir_left"), nullptr);
    EXPECT_NE(wnd.FindChildByName2<SEdit>("edit_macro_repeat_times"), nullptr);
    EXPECT_NE(wnd.FindChildByName2<SCaption>("title"), nullptr);
    auto* combo = wnd.FindChildByName2<SComboBox>("kb_cmb_profile");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetLBText(1), "Profile 2");
    EXPECT_EQ(combo->GetCurSel(), -1);
    auto* slider = wnd.FindChildByName2<SSliderBar>("bar_mainled_speed");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 3);
    EXPECT_EQ(slider->Slider()->maximum(), 15);
    auto* img = wnd.FindChildByName2<SImageWnd>("picture");
    ASSERT_NE(img, nullptr);
    EXPECT_NE(img->GetSkin(), nullptr);
}

TEST_F(Layout, RoutesCommonAttributes) {
    SWindow* root = wnd.GetRoot();
    EXPECT_FALSE(root->FindChildByName("hidden_box")->IsVisible());
    EXPECT_TRUE(root->FindChildByName("btn_more")->IsVisible());
    EXPECT_TRUE(root->FindChildByName("disabled_box")->IsDisabled());
    EXPECT_EQ(root->FindChildByName("numbered")->GetID(), 0x20);
    EXPECT_EQ(root->FindChildByName("statever")->GetWindowText(), "Disconnected");
    EXPECT_EQ(CountOf(createLog, "unknown attribute [wobble] of [window]"), 1);
    EXPECT_EQ(CountOf(createLog, "unknown widget tag [mystery]"), 1);
}

TEST_F(Layout, IncludesOtherLayoutsInPlace) {
    SWindow* box = wnd.GetRoot()->FindChildByName("included_box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetParentSWnd()->GetName(), "panel");
    EXPECT_EQ(box->geometry(), QRect(1, 2, 3, 4));
    EXPECT_NE(box->FindChildByName("deep_leaf"), nullptr);
}

TEST_F(Layout, SelfIncludingLayoutStops) {
    SHostWnd loop("LAYOUT:test_loop");
    loop.Create();
    int levels = 0;
    for (SWindow* c : loop.GetRoot()->FindChildByName("looped")->Children())
        levels += c->GetName() == "loop_level";
    EXPECT_GT(levels, 1);
    EXPECT_LE(levels, 17);
}

TEST_F(Layout, BoxesPlaceChildrenAlongTheirAxis) {
    SWindow* row = wnd.GetRoot()->FindChildByName("row");
    wnd.ShowWindow(SW_SHOWNORMAL);
    uitest::ProcessEvents();
    SWindow* a = row->FindChildByName("row_a");
    SWindow* b = row->FindChildByName("row_b");
    SWindow* c = row->FindChildByName("row_c");
    EXPECT_EQ(a->geometry().left(), 5);
    EXPECT_EQ(a->width(), 50);
    EXPECT_EQ(b->geometry().left(), 65);
    // The stretching child takes what the fixed ones and the spacing leave.
    EXPECT_EQ(b->width(), 300 - 2 * 5 - 50 - 40 - 2 * 10);
    EXPECT_EQ(c->geometry().left(), 65 + b->width() + 10);
    EXPECT_EQ(c->width(), 40);
}

TEST_F(Layout, TabControlHoldsItsPagesAndTheirChildren) {
    auto* tab = wnd.FindChildByName2<STabCtrl>("tab_func_selection");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetItemCount(), 2);
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_EQ(tab->GetItem(0)->GetTitle(), "First");
    EXPECT_NE(wnd.GetRoot()->FindChildByName("page_two_child"), nullptr);
}

TEST_F(Layout, LookupsSearchEveryDepthAndCheckTheClass) {
    SWindow* root = wnd.GetRoot();
    EXPECT_NE(root->FindChildByName2<SWindow>("deep_leaf"), nullptr);
    EXPECT_EQ(root->FindChildByName("deep_leaf", 2), nullptr);
    EXPECT_NE(root->FindChildByName("deep_leaf", 4), nullptr);
    EXPECT_EQ(root->FindChildByID2<SButton>(65537)->GetName(), "btn_more");
    // A check box passes for a window; a button does not pass for a check box.
    EXPECT_NE(root->FindChildByName2<SWindow>("sync_light_dat"), nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(root->FindChildByName2<SCheckBox>("btn_more"), nullptr);
    EXPECT_EQ(root->FindChildByName2<SEdit>("no_such_name"), nullptr);
    EXPECT_EQ(root->FindChildByID2<SComboBox>(65537), nullptr);
    EXPECT_EQ(root->FindChildByName2("deep_leaf", "window", 2), nullptr);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              "FindChildByName2 Failed, no window of class [check] with name of [btn_more] was "
              "found within [-1] levels\n"
              "FindChildByName2 Failed, no window of class [edit] with name of [no_such_name] "
              "was found within [-1] levels\n"
              "FindChildByID2 Failed, no window of class [combobox] with id of [65537] was "
              "found within [-1] levels\n"
              "FindChildByName2 Failed, no window of class [window] with name of [deep_leaf] "
              "was found within [2] levels\n");
}

// A widget that cannot live in a translucent window.
class OpaqueOnly : public SWindow {
    SOUI_CLASS_NAME(SWindow, "opaqueonly")
public:
    void OnCreated() override {
        if (GetHost() && GetHost()->IsTranslucent()) FailCreation();
    }
};

TEST_F(Layout, WidgetMayRefuseItsCreation) {
    ASSERT_TRUE(app->Factory().Register<OpaqueOnly>("window"));
    pugi::xml_document doc;
    doc.load_string("<opaqueonly name='picky'><window name='picky_child'/></opaqueonly>");
    SLayoutLoader loader(*app);
    SWindow* kept = loader.CreateWindow(wnd.GetRoot(), doc.first_child());
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(wnd.GetRoot()->FindChildByName("picky_child"), nullptr);
    SHostWnd glass("LAYOUT:test_translucent");
    glass.Create();
    EXPECT_TRUE(glass.IsTranslucent());
    EXPECT_FALSE(wnd.IsTranslucent());
    EXPECT_EQ(loader.CreateWindow(glass.GetRoot(), doc.first_child()), nullptr);
    EXPECT_EQ(glass.GetRoot()->FindChildByName("picky"), nullptr);
    EXPECT_TRUE(glass.GetRoot()->Children().empty());
}

class Events : public Layout {};

TEST_F(Events, SubscribersRunInOrderBeforeTheHost) {
    auto* more = wnd.FindChildByName2<SButton>("btn_more");
    std::vector<std::string>& log = wnd.log;
    more->Subscribe<EventCmd>([&](EventCmd* e) {
        log.push_back("first:" + std::to_string(e->idFrom));
        return false;
    });
    more->Subscribe<EventCmd>([&](EventCmd*) {
        log.push_back("second");
        return false;
    });
    more->Click();
    EXPECT_EQ(log, (std::vector<std::string>{"first:65537", "second", "host:10000:btn_more"}));
}

TEST_F(Events, SubscriberThatHandlesTheEventEndsIt) {
    auto* check = wnd.FindChildByName2<SCheckBox>("sync_light_dat");
    int later = 0;
    check->Subscribe<EventCmd>([](EventCmd* e) { return e->sender->IsClass("check"); });
    check->Subscribe<EventCmd>([&](EventCmd*) { return ++later > 0; });
    check->Click();
    EXPECT_EQ(later, 0);
    for (const auto& line : wnd.log) EXPECT_EQ(line.find("host:10000"), std::string::npos);
}

TEST_F(Events, CheckClickReportsStateChangeThenCommand) {
    auto* check = wnd.FindChildByName2<SCheckBox>("sync_light_dat");
    std::vector<std::pair<std::uint32_t, std::uint32_t>> changes;
    check->Subscribe<EventSwndStateChanged>([&](EventSwndStateChanged* e) {
        if (e->CheckState(WndState_Check)) changes.emplace_back(e->dwOldState, e->dwNewState);
        return false;
    });
    wnd.log.clear();
    check->Click();
    EXPECT_TRUE(check->IsChecked());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].first & WndState_Check, 0u);
    EXPECT_EQ(changes[0].second & WndState_Check, WndState_Check);
    ASSERT_EQ(wnd.log.size(), 2u);
    EXPECT_EQ(wnd.log[0], "host:10001:sync_light_dat");
    EXPECT_EQ(wnd.log[1], "host:10000:sync_light_dat");
    check->Click();
    EXPECT_FALSE(check->IsChecked());
}

TEST_F(Events, RadioButtonsBesideEachOtherAreExclusive) {
    auto* left = wnd.FindChildByName2<SRadioBox>("radio_mainled_dir_left");
    auto* right = wnd.FindChildByName2<SRadioBox>("radio_mainled_dir_right");
    left->Click();
    EXPECT_TRUE(left->IsChecked());
    right->Click();
    EXPECT_TRUE(right->IsChecked());
    EXPECT_FALSE(left->IsChecked());
    // Clicking the checked one keeps it checked.
    right->Click();
    EXPECT_TRUE(right->IsChecked());
    left->SetCheck(true);
    EXPECT_FALSE(right->IsChecked());
}

TEST_F(Events, DisabledWidgetIgnoresClicksAndReportsTheDisabledState) {
    auto* more = wnd.FindChildByName2<SButton>("btn_more");
    more->EnableWindow(false);
    EXPECT_EQ(more->GetState() & WndState_Disable, WndState_Disable);
    wnd.log.clear();
    more->Click();
    EXPECT_EQ(std::count(wnd.log.begin(), wnd.log.end(), "host:10000:btn_more"), 0);
}

TEST_F(Events, ComboNotifiesOnlyWhenAskedAndRefusesOutOfRange) {
    auto* combo = wnd.FindChildByName2<SComboBox>("kb_cmb_profile");
    std::vector<int> sel;
    combo->Subscribe<EventCBSelChange>([&](EventCBSelChange* e) {
        sel.push_back(e->nCurSel);
        return false;
    });
    EXPECT_TRUE(combo->SetCurSel(1));
    EXPECT_TRUE(combo->SetCurSel(0, true));
    EXPECT_FALSE(combo->SetCurSel(5, true));
    EXPECT_TRUE(combo->SetCurSel(-1, true));
    combo->Combo()->setCurrentIndex(1);  // as the user picks it
    EXPECT_EQ(sel, (std::vector<int>{0, -1, 1}));
    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->InsertItem(-1, "a", 42), 0);
    EXPECT_EQ(combo->GetItemData(0), 42);
    EXPECT_EQ(sel.size(), 3u);
}

TEST_F(Events, SliderReportsUserMovesOnly) {
    auto* slider = wnd.FindChildByName2<SSliderBar>("bar_mainled_speed");
    std::vector<int> moves;
    slider->Subscribe<EventSliderPos>([&](EventSliderPos* e) {
        moves.push_back(e->nPos);
        return false;
    });
    slider->SetValue(7);
    slider->Slider()->setFocus();
    QTest::keyClick(slider->Slider(), Qt::Key_Right);
    EXPECT_EQ(moves, (std::vector<int>{8}));
    EXPECT_EQ(slider->GetValue(), 8);
}

TEST_F(Events, EditReportsTextChanges) {
    auto* edit = wnd.FindChildByName2<SEdit>("edit_macro_repeat_times");
    std::vector<int> codes;
    edit->Subscribe<EventRENotify>([&](EventRENotify* e) {
        codes.push_back(e->iNotify);
        return false;
    });
    edit->SetWindowText("12");
    QTest::keyClicks(edit->LineEdit(), "3");
    EXPECT_EQ(codes, (std::vector<int>{EN_CHANGE, EN_CHANGE}));
    EXPECT_EQ(edit->GetWindowText(), "123");
}

TEST_F(Events, TabSelectionChangeCarriesOldAndNew) {
    auto* tab = wnd.FindChildByName2<STabCtrl>("tab_func_selection");
    std::vector<std::pair<int, int>> changes;
    tab->Subscribe<EventTabSelChanged>([&](EventTabSelChanged* e) {
        changes.emplace_back(e->uOldSel, e->uNewSel);
        return false;
    });
    EXPECT_TRUE(tab->SetCurSel(0));
    EXPECT_FALSE(tab->SetCurSel(0));
    EXPECT_FALSE(tab->SetCurSel(9));
    tab->TabBar()->setCurrentIndex(1);  // as a click on the tab does
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, 0}, {0, 1}}));
    EXPECT_EQ(tab->GetCurSel(), 1);
}

TEST_F(Events, HoverAndPushStatesFollowTheMouse) {
    wnd.ShowWindow(SW_SHOWNORMAL);
    uitest::ProcessEvents();
    SWindow* box = wnd.GetRoot()->FindChildByName("numbered");
    std::vector<std::uint32_t> states;
    box->Subscribe<EventSwndStateChanged>([&](EventSwndStateChanged* e) {
        states.push_back(e->dwNewState);
        return false;
    });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(box, &enter);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(2, 2));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(box, &leave);
    EXPECT_EQ(states, (std::vector<std::uint32_t>{
                          WndState_Hover, WndState_Hover | WndState_PushDown, WndState_Hover, 0}));
}

// Adapter over a list of strings, filling rows from the template.
class NamesAdapter : public SAdapterBase {
public:
    std::vector<QString> names;
    int views = 0;
    int getCount() override { return static_cast<int>(names.size()); }
    void getView(int position, SWindow* item, pugi::xml_node tmpl) override {
        ++views;
        if (item->Children().empty()) item->InitFromXml(tmpl.first_child());
        item->SetUserData(position);
        item->FindChildByName("group_name")->SetWindowText(names[static_cast<size_t>(position)]);
    }
};

class StepsAdapter : public SMcAdapterBase {
public:
    int getCount() override { return 3; }
    void getView(int position, SWindow* item, pugi::xml_node tmpl) override {
        if (item->Children().empty()) item->InitFromXml(tmpl);
        item->FindChildByName("key_code")->SetWindowText(QString::number(position * 10));
    }
    QString GetColumnName(int col) const override { return QString("col%1").arg(col + 1); }
    bool OnSort(int col, SHDSORTFLAG* flags, int n) override {
        const SHDSORTFLAG next = flags[col] == ST_UP ? ST_DOWN : ST_UP;
        for (int i = 0; i < n; ++i) flags[i] = ST_NULL;
        flags[col] = next;
        return true;
    }
};

class Lists : public uitest::UiTest {
protected:
    RecordingHost wnd{"LAYOUT:test_lists"};
};

TEST_F(Lists, RowsFollowTheAdapterAndClicksSelectAndCommand) {
    wnd.Create();
    auto* list = wnd.FindChildByName2<SListView>("macro_group");
    ASSERT_NE(list, nullptr);
    auto adapter = std::make_shared<NamesAdapter>();
    adapter->names = {"Group 0", "Group 1"};
    list->SetAdapter(adapter);
    ASSERT_EQ(list->GetItemCount(), 2);
    SWindow* row1 = list->GetItemPanel(1);
    EXPECT_EQ(row1->GetUserData(), 1);
    EXPECT_EQ(row1->FindChildByName2<SEdit>("group_name")->GetWindowText(), "Group 1");
    adapter->names.push_back("Group 2");
    adapter->notifyDataSetChanged();
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetItemPanel(1), row1);  // rows are reused
    adapter->names.resize(1);
    adapter->notifyDataSetChanged();
    EXPECT_EQ(list->GetItemCount(), 1);
    uitest::ProcessEvents();
    wnd.log.clear();
    QListWidgetItem* item = list->List()->item(0);
    emit list->List()->itemClicked(item);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"host:10000:row"}));
    list->SetSel(0);
    EXPECT_EQ(list->GetSel(), 0);
}

TEST_F(Lists, MultiColumnRowsFollowTheHeaderAndHeaderClicksSetSortFlags) {
    wnd.Create();
    auto* list = wnd.FindChildByName2<SMcListView>("macro_items");
    ASSERT_NE(list, nullptr);
    list->SetAdapter(std::make_shared<StepsAdapter>());
    ASSERT_EQ(list->GetItemCount(), 3);
    SWindow* row = list->GetItemPanel(2);
    EXPECT_EQ(row->FindChildByName("key_code")->GetWindowText(), "20");
    EXPECT_EQ(row->FindChildByName("col1")->geometry(), QRect(0, 0, 60, 22));
    EXPECT_EQ(row->FindChildByName("col2")->geometry().left(), 60);
    // The last column takes the rest of the header.
    EXPECT_GE(row->FindChildByName("col2")->width(), 100);
    list->GetHeaderCtrl()->View()->resizeSection(0, 80);
    EXPECT_EQ(row->FindChildByName("col2")->geometry().left(), 80);
    list->OnHeaderClick(1);
    EXPECT_EQ(list->SortFlags(), (std::vector<SHDSORTFLAG>{ST_NULL, ST_UP}));
    list->OnHeaderClick(1);
    EXPECT_EQ(list->SortFlags(), (std::vector<SHDSORTFLAG>{ST_NULL, ST_DOWN}));
    list->OnHeaderClick(0);
    EXPECT_EQ(list->SortFlags(), (std::vector<SHDSORTFLAG>{ST_UP, ST_NULL}));
    list->OnHeaderClick(7);
    EXPECT_EQ(list->SortFlags(), (std::vector<SHDSORTFLAG>{ST_UP, ST_NULL}));
}

}  // namespace

namespace {

TEST_F(Layout, AButtonNarrowerThanTheThemesPaddingKeepsItsWholeText) {
    qApp->setStyleSheet(ThemeStyleSheet(SThemeColors{}));
    struct Row {
        const char* size;
        bool compact;
    };
    for (const Row row : {Row{"60,28", true}, Row{"200,28", false}}) {
        SButton button;
        button.SetWindowText("Import");
        button.SetAttribute("size", row.size);
        const QPushButton* face = button.findChild<QPushButton*>();
        ASSERT_NE(face, nullptr);
        const int width = QString(row.size).section(',', 0, 0).toInt();
        EXPECT_LE(face->sizeHint().width(), width) << row.size;
        // Where the theme fits, it is left as it is.
        EXPECT_EQ(face->styleSheet().isEmpty(), !row.compact) << row.size;
    }
    qApp->setStyleSheet({});
}

}  // namespace
