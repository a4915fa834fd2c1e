// The program on a Wayland compositor (sway): the window at start, painting keys with a click
// and a band, a drop-down and a menu opening at their controls, the keyboard reaching the menu
// and a dialog, a second start bringing the window forward, the tray menu belonging to the tray
// icon, and the keyboard following the application in front.
#include <unistd.h>

#include <QDir>
#include <QProcess>

#include "SwaySession.h"
#include "persist/AppRulesFile.h"
#include "persist/SmallTextFile.h"
#include "support/HelperProcesses.h"
#include "support/Scenario.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

constexpr int kReactive = 5;

class WaylandScenario : public Scenario {
protected:
    void SetUp() override {
        const QString missing = SwaySession::Unavailable();
        if (!missing.isEmpty()) GTEST_SKIP() << "no Wayland session: " << missing.toStdString();
        Scenario::SetUp();
    }
    const Session* StartSession() override {
        // Short, as the program's instance socket in it must be.
        folder_ = fs::path(QDir::tempPath().toStdString()) /
                  ("keylume-wayland-" + std::to_string(getuid())) / folder_.filename();
        QString error;
        sway_ = std::make_unique<SwaySession>(error);
        if (!error.isEmpty()) {
            ADD_FAILURE() << error.toStdString();
            return nullptr;
        }
        return sway_.get();
    }
    void TearDown() override {
        Scenario::TearDown();
        sway_.reset();
    }

    // Qt on Wayland keeps the places it asked for its windows, which the compositor need not
    // follow: the accessibility tree's places are off by where sway put the main window.
    QPoint Offset() {
        const std::vector<WaylandWindow> shown = sway_->Windows();
        for (const Control& window : a11y_->Windows())
            if (window.label == QLatin1String("Keylume") && !shown.empty())
                return shown.front().rect.topLeft() - window.screen.topLeft();
        return {};
    }
    QImage Screen() override {
        const QImage shot = sway_->Screen();
        return shot.copy(QRect(Offset(), shot.size()));
    }
    void ClickAt(QPoint point, int button) override { sway_->Click(point + Offset(), button); }
    void Key(const QString& keys) override { sway_->Key(keys); }
    void Type(const QString& text) override { sway_->Type(text); }

    // The tray icon: what the bar at the top shows at its right end besides its background.
    QPoint TrayIcon() {
        const QImage shot = sway_->Screen();
        const int right = shot.width() - 1;
        const QColor bar = shot.pixelColor(right, 0);
        int height = 0;
        while (height < shot.height() && ColourDistance(shot.pixelColor(right, height), bar) <= 40)
            ++height;
        QRect icon;
        for (int y = 0; y < height; ++y)
            for (int x = right - 60; x <= right; ++x)
                if (ColourDistance(shot.pixelColor(x, y), bar) > 40) icon |= QRect(x, y, 1, 1);
        return icon.isEmpty() ? QPoint() : icon.center();
    }
    bool MainWindowShown() { return sway_->Windows().size() == 1; }

    std::unique_ptr<SwaySession> sway_;
};

TEST_F(WaylandScenario, TheWindowShowsAtStartWithTheFocus) {
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(WaitUntil([&] { return MainWindowShown() && sway_->Windows()[0].focused; }))
        << WithScreen("the window is not shown with the focus");
    EXPECT_TRUE(ShowsContent(a11y_->First("kb_cmb_profile").screen))
        << WithScreen("the profile list shows nothing where it should be");
}

TEST_F(WaylandScenario, AClickAndABandPaintKeysOfTheLightingPicture) {
    AllProfilesPerKey();
    ASSERT_TRUE(StartProgram());
    ClickKey("cbimg_led_effect", "P");
    Click("radio_color_panel_defcol1");  // red
    ASSERT_TRUE(WaitUntil([&] { return KeyColour("P") == QColor(Qt::red); }))
        << WithScreen("a clicked key was not painted");
    // A band adds the keys it covers to the selection.
    const QRect y = KeyOnScreen("cbimg_led_effect", "Y");
    const QRect j = KeyOnScreen("cbimg_led_effect", "J");
    const QPoint offset = Offset();
    sway_->Drag(y.topLeft() - QPoint(3, 3) + offset, j.bottomRight() + QPoint(3, 3) + offset);
    Click("radio_color_panel_defcol2");  // green
    EXPECT_TRUE(WaitUntil([&] {
        return KeysAre({"Y", "U", "H", "J", "P"}, Qt::green);
    })) << WithScreen("a band did not select the keys it covers");
    EXPECT_EQ(KeyColour("G"), QColor(Qt::blue));
}

TEST_F(WaylandScenario, ADropDownAndAMenuOpenAtTheirControls) {
    ASSERT_TRUE(StartProgram());
    // The entry is clicked where the list shows beside its box: a list elsewhere misses it.
    ChooseFromList("cmb_mainled_light_mode_normal", "Reactive");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == kReactive;
    })) << WithScreen("Reactive was not chosen from the list");

    // Where the menu's second entry shows when the menu opens below its button.
    const Control more = WaitForControl("btn_more");
    const QRect menu(more.screen.bottomLeft() + QPoint(0, 45), QSize(60, 30));
    const QImage before = Screen();
    Click("btn_more");
    ASSERT_TRUE(WaitUntil([&] { return RegionChanged(before, Screen(), menu); }))
        << WithScreen("the menu does not open below its button");
    // The first entry, "Check device", closes it.
    ClickAt(more.screen.bottomLeft() + QPoint(30, 14), 1);
    EXPECT_TRUE(WaitUntil([&] { return !RegionChanged(before, Screen(), menu); }))
        << WithScreen("the menu stays open");
}

TEST_F(WaylandScenario, TheKeyboardChoosesFromTheMenuAndMakesARule) {
    ASSERT_TRUE(StartProgram());
    ChooseFromMoreMenu(kProfilesByApplication);
    ASSERT_FALSE(WaitForControl("rule_app").screen.isEmpty());
    // Tab goes from control to control until the application's field.
    bool reached = false;
    for (int i = 0; i < 8 && !reached; ++i) {
        reached = WaitUntil([&] { return a11y_->First("rule_app").focused; }, Deadline(500));
        if (!reached) Key("Tab");
    }
    ASSERT_TRUE(reached) << WithScreen("Tab does not reach the application's field");
    Type("org.example.Third");
    Key("Return");
    const fs::path file = program_->macroFile().parent_path() / "rules.xml";
    EXPECT_TRUE(WaitUntil([&] {
        const auto saved =
            persist::ReadRulesText(persist::ReadSmallTextFile(file, 1 << 20, "rules").text);
        return saved && saved->rules.size() == 1 && saved->rules[0].app == "org.example.Third";
    })) << WithScreen("the typed rule was not saved");
    Key("Escape");
    EXPECT_TRUE(WaitUntilGone("rules_list")) << WithScreen("Escape does not close the dialog");
}

TEST_F(WaylandScenario, ASecondStartBringsTheWindowForward) {
    ASSERT_TRUE(StartProgram());
    ASSERT_TRUE(sway_->Command("workspace 2"));
    ASSERT_TRUE(WaitUntil([&] { return sway_->Windows().empty(); }));
    // As a launcher starts it: with a token the compositor made.
    const QByteArray token = sway_->ActivationToken();
    ASSERT_FALSE(token.isEmpty()) << "sway gave no activation token";
    QProcess second;
    QProcessEnvironment env = program_->Environment();
    env.insert("XDG_ACTIVATION_TOKEN", QString::fromUtf8(token));
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(QString::fromStdString(program_->executable().string()), {"--emulate"});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAll().toStdString();
    EXPECT_TRUE(WaitUntil([&] { return MainWindowShown() && sway_->Windows()[0].focused; }))
        << WithScreen("the second start did not bring the window forward");
}

TEST_F(WaylandScenario, TheTrayMenuBelongsToTheTrayIcon) {
    ASSERT_TRUE(StartProgram());
    QPoint icon;
    ASSERT_TRUE(WaitUntil([&] { return !(icon = TrayIcon()).isNull(); }))
        << WithScreen("no icon in the tray");
    sway_->Click(icon);
    ASSERT_TRUE(WaitUntil([&] { return sway_->Windows().empty(); }))
        << WithScreen("a click on the icon did not hide the window");
    // The bar asks the icon for its menu: no window of the program opens for it.
    sway_->Click(icon, 3);
    EXPECT_FALSE(WaitUntil([&] { return !sway_->Windows().empty(); }, Deadline(2000)))
        << WithScreen("the tray menu opened as a window of its own");
    // The menu is the icon's, on the bus for any tray that shows menus.
    const QByteArray items = sway_->Run(
        "dbus-send",
        {"--session", "--print-reply", "--dest=org.kde.StatusNotifierWatcher",
         "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
         "string:org.kde.StatusNotifierWatcher", "string:RegisteredStatusNotifierItems"});
    const qsizetype from = items.indexOf("string \"") + 8;
    ASSERT_GE(from, 8) << items.toStdString();
    const QString item = QString::fromUtf8(items.mid(from, items.indexOf('"', from) - from));
    const QByteArray menu = sway_->Run(
        "dbus-send", {"--session", "--print-reply", "--dest=" + item.section('/', 0, 0), "/MenuBar",
                      "com.canonical.dbusmenu.GetLayout", "int32:0", "int32:-1", "array:string:"});
    EXPECT_TRUE(menu.contains("Check device") && menu.contains("Exit")) << menu.toStdString();
    sway_->Click(icon);
    EXPECT_TRUE(WaitUntil([&] { return MainWindowShown(); }))
        << WithScreen("a click on the icon did not bring the window back");
}

TEST_F(WaylandScenario, ApplicationsInTurnSwitchTheKeyboardsProfile) {
    ASSERT_EQ(program_->Command({"rules", "add", "org.example.First", "--profile", "1"}), 0);
    ASSERT_EQ(program_->Command({"rules", "add", "org.example.Second", "--profile", "2"}), 0);
    ASSERT_EQ(program_->Command({"rules", "on"}), 0);
    ASSERT_TRUE(StartProgram());
    auto showsProfile = [&](int profile) {
        return WaitUntil([&] {
            const auto k = Keyboard();
            return k && k->activeProfile == profile;
        });
    };
    // Each new window takes the focus: started one after the other, so their order is known.
    std::vector<std::unique_ptr<QProcess>> windows;
    int profile = 1;
    for (const char* app : {"org.example.First", "org.example.Second"}) {
        windows.push_back(std::make_unique<QProcess>());
        windows.back()->setProcessEnvironment(program_->Environment());
        windows.back()->start(KEYLUME_APP_WINDOW, {app});
        EXPECT_TRUE(showsProfile(profile++)) << WithScreen(std::string(app) + " did not switch");
    }
    ASSERT_TRUE(sway_->Command("[app_id=org.example.First] focus"));
    EXPECT_TRUE(showsProfile(1)) << WithScreen("the first window in front again did not switch");
    EndAll(windows);
}

}  // namespace
}  // namespace e2e
