// The keyboard following the application in front: rules kept by the command, before the window
// starts and through it, then two other programs' windows brought forward in turn, by the
// window manager and by a click.
#include <QProcess>

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

}  // namespace
}  // namespace e2e
