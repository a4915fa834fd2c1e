// The main window while a keyboard is open: plug and unplug, menus and window buttons.
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "AppTestSupport.h"
#include "app/DeviceBroadcast.h"
#include "emulator/EmulatedBackend.h"

namespace {

using apptest::AppTest;
using apptest::WaitUntil;
using namespace SOUI;

class Running : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        AnswerBoxesWith(IDOK);
        backend = std::make_shared<EmulatedBackend>();
        window = StartMainWindow(backend);
        ASSERT_TRUE(window->IsWindow());
        ASSERT_TRUE(window->KeyboardOpen());
    }
    void TearDown() override {
        window.reset();
        AppTest::TearDown();
    }
    void SendDeviceChange(WPARAM event, const std::string& path) {
        DeviceBroadcast broadcast;
        broadcast.interfacePath = path;
        window->SendMessage(WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&broadcast));
    }
    bool StaysRunning() {
        apptest::ProcessEvents();
        return window->IsWindow() && window->KeyboardOpen() && boxes.empty();
    }
    SWindow* Widget(const char* name) { return window->GetRoot()->FindChildByName(name); }

    std::shared_ptr<EmulatedBackend> backend;
    std::unique_ptr<CMainDlg> window;
};

TEST_F(Running, UnplugEndsTheProgram) {
    backend->UnplugKeyboard();
    EXPECT_TRUE(WaitUntil([&] { return !window->IsWindow(); }));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Running, DecoyInterfacesComingAndGoingChangeNothing) {
    for (const std::string& path : EmulatedBackend::KeyboardInterfacePaths()) {
        if (path == EmulatedBackend::KeyboardPath()) continue;
        SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, path);
        SendDeviceChange(DBT_DEVICEARRIVAL, path);
        EXPECT_TRUE(StaysRunning()) << path;
    }
}

TEST_F(Running, OldFirmwareDevicePluggedBesideTheKeyboardIsIgnored) {
    backend->PlugOldFirmware(0x1511);
    backend->UnplugOldFirmware();
    EXPECT_TRUE(StaysRunning());
}

TEST_F(Running, OtherBroadcastsAreIgnored) {
    DeviceBroadcast volume;
    volume.deviceType = 2;
    volume.interfacePath = EmulatedBackend::KeyboardPath();
    window->SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                        reinterpret_cast<LPARAM>(&volume));
    window->SendMessage(WM_DEVICECHANGE, 0x0007, 0);
    EXPECT_TRUE(StaysRunning());
}

TEST_F(Running, RemovalOfTheKeyboardsOwnPathEndsTheProgram) {
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, EmulatedBackend::KeyboardPath());
    EXPECT_FALSE(window->IsWindow());
}

TEST_F(Running, CheckDeviceCommandSaysTheKeyboardIsConnected) {
    window->SendMessage(WM_COMMAND, MAKEWPARAM(CMainDlg::kCmdCheckDevice, 0));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Check device"));
    EXPECT_TRUE(boxes[0].text.contains("connected")) << boxes[0].text.toStdString();
    boxes.clear();
    EXPECT_TRUE(StaysRunning());
}

TEST_F(Running, ExitCommandClosesThroughAPostedClose) {
    window->SendMessage(WM_COMMAND, MAKEWPARAM(CMainDlg::kCmdExit, 0));
    EXPECT_TRUE(window->IsWindow());
    EXPECT_TRUE(WaitUntil([&] { return !window->IsWindow(); }));
}

TEST_F(Running, CommandsWithANotificationCodeAreConsumedWithoutEffect) {
    window->SendMessage(WM_COMMAND, MAKEWPARAM(CMainDlg::kCmdExit, 1));
    window->SendMessage(WM_COMMAND, MAKEWPARAM(CMainDlg::kCmdCheckDevice, EN_CHANGE));
    EXPECT_TRUE(StaysRunning());
}

TEST_F(Running, MoreMenuOffersCheckBackupAndExit) {
    std::vector<int> offered;
    SMenuBase::SetMenuAnswerer([&](const std::vector<int>& ids) {
        offered = ids;
        return CMainDlg::kCmdExit;
    });
    ASSERT_NE(Widget("btn_more"), nullptr);
    EXPECT_EQ(Widget("btn_more")->GetID(), CMainDlg::kMoreButtonId);
    Widget("btn_more")->FireCommand();
    EXPECT_EQ(offered, (std::vector<int>{CMainDlg::kCmdCheckDevice, CMainDlg::kCmdExportSettings,
                                         CMainDlg::kCmdImportSettings, CMainDlg::kCmdEnglish,
                                         CMainDlg::kCmdChinese, CMainDlg::kCmdAppRules,
                                         CMainDlg::kCmdStartWithDesktop, CMainDlg::kCmdExit}));
    EXPECT_TRUE(WaitUntil([&] { return !window->IsWindow(); }));
}

TEST_F(Running, MinimiseHidesToTheTrayOnlyWhereThereIsOne) {
    // Without a tray, only an X11 window manager surely minimises: elsewhere "Hide" is off.
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    EXPECT_EQ(Widget("btn_min")->IsDisabled(), !x11 && !QSystemTrayIcon::isSystemTrayAvailable());
    Widget("btn_min")->FireCommand();
    EXPECT_TRUE(window->IsWindow());
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_FALSE(window->IsVisible());
        EXPECT_FALSE(window->IsIconic());
    } else {
        // Hidden without a tray, nothing but a second start would bring it back.
        EXPECT_TRUE(window->IsIconic());
    }
}

TEST_F(Running, CloseButtonDestroysTheWindow) {
    Widget("btn_close")->FireCommand();
    EXPECT_FALSE(window->IsWindow());
}

TEST_F(Running, SyncCheckBoxIsBoundByIdAndConsumesItsCommand) {
    SWindow* sync = window->GetRoot()->FindChildByID(CMainDlg::kSyncLightId);
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(sync->GetName(), QStringLiteral("sync_light_dat"));
    EXPECT_TRUE(sync->FireCommand());
    EXPECT_TRUE(StaysRunning());
}

TEST_F(Running, TrayIconCarriesTheIdTheBalloonUses) {
    EXPECT_NE(window->GetRoot()->FindChildByID(CMainDlg::kTrayIconId), nullptr);
}

}  // namespace
