// The tray icon: icons, tip, menu kind, animation steps and its clicks.
#include "WidgetTestSupport.h"

using namespace SOUI;

namespace {

// A host whose handler may take the tray's callback message itself.
class TrayHost : public SHostWnd {
public:
    using SHostWnd::SHostWnd;
    bool takeCallback = false;
    std::vector<std::pair<UINT, WPARAM>> messages;

protected:
    bool ProcessWindowMessage(UINT msg, WPARAM w, LPARAM l, LRESULT&) override {
        messages.emplace_back(msg, w);
        return msg == SShellNotifyIcon::kCallbackMessage && takeCallback && l != 0;
    }
};

class Tray : public widgettest::WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        host = std::make_unique<TrayHost>("LAYOUT:test_dialog");
        host->Create();
    }
    TrayHost& Host() { return static_cast<TrayHost&>(*host); }
};

TEST_F(Tray, UnloadableIconsFallBackToTheProgramIcon) {
    testing::internal::CaptureStdout();
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon ico='img:nothing;img:absent'/>");
    testing::internal::GetCapturedStdout();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->IconCount(), 0);
    EXPECT_EQ(t->ShownIconIndex(), -1);
}

TEST_F(Tray, KeepsLoadableIconsAndAValidDefaultIndex) {
    testing::internal::CaptureStdout();
    auto* t = Create<SShellNotifyIcon>(
        "<shellnotifyicon ico='img:states; img:absent ;img:states' deficoidx='5'/>");
    testing::internal::GetCapturedStdout();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->IconCount(), 2);
    EXPECT_EQ(t->DefaultIconIndex(), 0);
    EXPECT_EQ(t->ShownIconIndex(), 0);
    auto* second =
        Create<SShellNotifyIcon>("<shellnotifyicon ico='img:states;img:states' deficoidx='1'/>");
    EXPECT_EQ(second->ShownIconIndex(), 1);
}

TEST_F(Tray, TipIsTranslatedAndCut) {
    ASSERT_TRUE(app->LoadTranslator("translator:lang_cn"));
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon tip='Hello'/>");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->TipText(), QString::fromUtf8("你好"));
    t->SetAttribute("tip", QString(200, 'x'));
    EXPECT_EQ(t->TipText().size(), SShellNotifyIcon::kMaxTipLength);
}

TEST_F(Tray, MenuKindFollowsTheResourceRoot) {
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon menu='SMENU:menu_test'/>");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetMenuKind(), MenuKind::Classic);
    t->SetAttribute("menu", "SMENUEX:menu_test");
    EXPECT_EQ(t->GetMenuKind(), MenuKind::Extended);
    t->SetAttribute("menu", "LAYOUT:test_dialog");
    EXPECT_EQ(t->GetMenuKind(), MenuKind::None);
    EXPECT_EQ(t->MenuName(), QString());
}

TEST_F(Tray, AnimationRestartsAtTheStartFrame) {
    testing::internal::CaptureStdout();
    auto* t = Create<SShellNotifyIcon>(
        "<shellnotifyicon ico='img:states;img:states;img:states' startframe='1'/>");
    testing::internal::GetCapturedStdout();
    ASSERT_NE(t, nullptr);
    std::vector<int> shown;
    for (int i = 0; i < 6; ++i) {
        t->AnimateStep();
        shown.push_back(t->ShownIconIndex());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 1, 2, 1}));
    // A start frame past the icons shows the program icon instead of reading past the end.
    t->SetAttribute("startframe", "9");
    t->AnimateStep();
    t->AnimateStep();
    EXPECT_EQ(t->ShownIconIndex(), -1);
}

TEST_F(Tray, LeftClickHidesOrShowsTheHostWindow) {
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon/>");
    ASSERT_NE(t, nullptr);
    host->ShowWindow(SW_SHOWNORMAL);
    t->OnTrayCallback(WM_LBUTTONDOWN);
    EXPECT_FALSE(host->IsVisible());
    t->OnTrayCallback(WM_LBUTTONDOWN);
    EXPECT_TRUE(host->IsVisible());
    ASSERT_FALSE(Host().messages.empty());
    EXPECT_EQ(Host().messages.back(),
              std::make_pair(SShellNotifyIcon::kCallbackMessage, WPARAM{100}));
    // A host that handles the callback itself keeps the window as it is.
    Host().takeCallback = true;
    t->OnTrayCallback(WM_LBUTTONDOWN);
    EXPECT_TRUE(host->IsVisible());
}

TEST_F(Tray, TheTrayOpensTheMenuOfTheIconWhoseCommandsReachTheHost) {
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon menu='SMENU:menu_test'/>");
    ASSERT_NE(t, nullptr);
    int opened = 0;
    SMenuBase::SetMenuAnswerer([&](const std::vector<int>&) { return ++opened, 6; });
    t->OnTrayCallback(WM_RBUTTONDOWN);
    EXPECT_EQ(opened, 0) << "the program opened a menu of its own";
    SMenuBase::SetMenuAnswerer({});
    t->Install();
    ASSERT_NE(t->ContextMenu(), nullptr);
    for (QAction* action : t->ContextMenu()->actions())
        if (action->data().toInt() == 6) action->trigger();
    uitest::ProcessEvents();
    bool gotClose = false;
    for (const auto& [msg, w] : Host().messages) gotClose |= msg == WM_COMMAND && LOWORD(w) == 6;
    EXPECT_TRUE(gotClose);
}

TEST_F(Tray, WithoutATrayNothingIsShownAndBalloonsAreHarmless) {
    auto* t = Create<SShellNotifyIcon>("<shellnotifyicon tip='x'/>");
    ASSERT_NE(t, nullptr);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_FALSE(t->IsInTray());
    }
    t->ShowBalloon("Failed to start the upgrade exe", "", 1000);
    delete t;
}

}  // namespace
