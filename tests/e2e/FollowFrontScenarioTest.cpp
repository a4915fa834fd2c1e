// The keyboard following the application in front: rules kept by the command, before the window
// starts and through it, or made in the window's dialog, then other programs' windows brought
// forward, by the window manager and by a click.
#include <QProcess>
#include <fstream>

#include "persist/AppRulesFile.h"
#include "persist/SmallTextFile.h"
#include "support/HelperProcesses.h"
#include "support/Scenario.h"

namespace e2e {
namespace {

constexpr int kWave = 2;

class FollowFrontScenario : public Scenario {
protected:
    void TearDown() override {
        EndAll(clients_);
        Scenario::TearDown();
    }

    // Another program's window on the desktop; its X window once it shows.
    QString OpenClient(const QString& program, const QStringList& arguments,
                       const QString& xClass) {
        clients_.push_back(std::make_unique<QProcess>());
        clients_.back()->setProcessEnvironment(program_->Environment());
        clients_.back()->start(program, arguments);
        QString id;
        WaitUntil([&] {
            id = QString::fromUtf8(
                     RunOn(*desktop_, "xdotool", {"search", "--onlyvisible", "--class", xClass}))
                     .split('\n', Qt::SkipEmptyParts)
                     .value(0);
            return !id.isEmpty();
        });
        return id;
    }

    QRect Geometry(const QString& id) {
        const QString shell =
            QString::fromUtf8(RunOn(*desktop_, "xdotool", {"getwindowgeometry", "--shell", id}));
        QMap<QString, int> values;
        for (const QString& line : shell.split('\n', Qt::SkipEmptyParts))
            values[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
    }

    bool ShowsProfile(int profile) {
        return WaitUntil([&] {
            const auto k = Keyboard();
            return k && k->activeProfile == profile;
        });
    }

    std::vector<std::unique_ptr<QProcess>> clients_;
};

TEST_F(FollowFrontScenario, TwoApplicationsInTurnSwitchTheKeyboardsProfile) {
    ASSERT_EQ(program_->Command({"rules", "add", "xlogo", "--profile", "1", "--mode", "Wave"}), 0);
    ASSERT_EQ(program_->Command({"rules", "on"}), 0);
    ASSERT_TRUE(StartProgram());
    // Through the running window, which follows it at once.
    ASSERT_EQ(program_->Command({"rules", "add", "Xmessage", "--profile", "2"}), 0);

    const QString logo = OpenClient("xlogo", {}, "XLogo");
    ASSERT_FALSE(logo.isEmpty()) << WithScreen("xlogo did not show");
    RunOn(*desktop_, "xdotool", {"windowactivate", "--sync", logo});
    EXPECT_TRUE(ShowsProfile(1)) << WithScreen("xlogo in front did not switch to profile 1");
    EXPECT_EQ(Keyboard()->profileModes[1], kWave);

    const QString message = OpenClient("xmessage", {"-center", "in front"}, "Xmessage");
    ASSERT_FALSE(message.isEmpty()) << WithScreen("xmessage did not show");
    RunOn(*desktop_, "xdotool", {"windowactivate", "--sync", message});
    EXPECT_TRUE(ShowsProfile(2)) << WithScreen("xmessage in front did not switch to profile 2");

    // A click brings xlogo forward again.
    const QRect area = Geometry(logo);
    input_->Click(area.topLeft() + QPoint(area.width() / 2, area.height() / 2));
    EXPECT_TRUE(ShowsProfile(1)) << WithScreen("clicking xlogo did not switch back");

    // Where the desktop tells its clients nothing, its script names the application in front.
    ASSERT_EQ(program_->Command({"rules", "add", "org.kde.konsole", "--profile", "0"}), 0);
    EXPECT_EQ(program_->Command({"rules", "remove", "org.kde.dolphin"}), 2);
    RunOn(*desktop_, "dbus-send",
          {"--session", "--type=method_call", "--dest=org.keylume.Keylume", "/org/keylume/Keylume",
           "org.keylume.Manager1.SetActiveApplication", "string:org.kde.konsole"});
    EXPECT_TRUE(ShowsProfile(0)) << WithScreen("the bus call did not switch to profile 0");
}

TEST_F(FollowFrontScenario, ARuleMadeInTheDialogSwitchesTheKeyboardAndIsSaved) {
    // The user's desktop file names xmessage's windows, with an icon.
    const QProcessEnvironment env = program_->Environment();
    const std::filesystem::path data =
        env.value("XDG_DATA_HOME", env.value("HOME") + "/.local/share").toStdString();
    std::filesystem::create_directories(data / "applications");
    std::ofstream(data / "applications" / "org.example.Message.desktop")
        << "[Desktop Entry]\nType=Application\nName=Message box\nStartupWMClass=Xmessage\nIcon="
        << (program_->dataFolder() / "uires" / "image" / "logo_48.png").string() << "\n";
    ASSERT_TRUE(StartProgram());
    // xmessage is seen in front; the click on the menu's button brings Keylume's window back.
    const QString message = OpenClient("xmessage", {"-center", "in front"}, "Xmessage");
    ASSERT_FALSE(message.isEmpty()) << WithScreen("xmessage did not show");
    RunOn(*desktop_, "xdotool", {"windowactivate", "--sync", message});
    ASSERT_TRUE(WaitUntil([&] { return program_->Output().contains("in front: xmessage"); }));

    ChooseFromMoreMenu(kProfilesByApplication);
    const Control field = WaitForControl("rule_app");
    ASSERT_FALSE(field.screen.isEmpty());
    Click("rules_on");
    // Picked from the applications seen in front and a profile chosen with the arrow keys,
    // saved with Enter.
    input_->Click(field.screen.center());
    Key("Down");
    Key("Tab");
    EXPECT_TRUE(WaitUntil([&] { return a11y_->First("rule_profile").focused; }))
        << WithScreen("Tab does not go from the application to the profile");
    Key("Down");
    Key("Down");
    input_->Click(field.screen.center());
    Key("Return");
    std::vector<Control> rows;
    EXPECT_TRUE(WaitUntil([&] {
        rows = a11y_->Rows("rules_list");
        return rows.size() == 1 && rows.front().label.contains("Message box xmessage") &&
               rows.front().label.contains("P2");
    })) << WithScreen("the rule is not listed with the desktop's name");
    if (!rows.empty()) {
        const QRect icon(rows.front().screen.topLeft() + QPoint(6, 4), QSize(24, 24));
        EXPECT_TRUE(ShowsContent(icon)) << WithScreen("the rule shows no icon");
    }
    Key("Escape");
    ASSERT_TRUE(WaitUntilGone("rules_list")) << WithScreen("Escape does not close the dialog");

    RunOn(*desktop_, "xdotool", {"windowactivate", "--sync", message});
    EXPECT_TRUE(ShowsProfile(2)) << WithScreen("xmessage in front did not switch to profile 2");

    const std::filesystem::path file = program_->macroFile().parent_path() / "rules.xml";
    const auto saved =
        persist::ReadRulesText(persist::ReadSmallTextFile(file, 1 << 20, "rules").text);
    ASSERT_TRUE(saved) << file;
    EXPECT_EQ(*saved, (rules::AppRules{true, {{"xmessage", {2, std::nullopt}}}, std::nullopt}));
}

}  // namespace
}  // namespace e2e
