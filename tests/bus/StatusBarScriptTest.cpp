// The status bar example of the documentation, run against the program: it shows the profile and
// the mode, and shows them again when a bus call changes the mode.
#include <QProcess>
#include <QStandardPaths>

#include "support/BusCall.h"
#include "support/RunningWindow.h"

namespace {

using bustest::RunningWindow;

class StatusBarScript : public RunningWindow {
protected:
    void TearDown() override {
        script.terminate();
        script.waitForFinished();
        RunningWindow::TearDown();
    }

    // Runs the event loop until the script has printed `line`.
    bool Prints(const QByteArray& line) {
        return bustest::WaitFor([&] {
            printed += script.readAllStandardOutput();
            return printed.split('\n').contains(line);
        });
    }

    QProcess script;
    QByteArray printed;
};

TEST_F(StatusBarScript, ShowsTheProfileAndModeAndFollowsTheirChanges) {
    ASSERT_FALSE(QStandardPaths::findExecutable("gdbus").isEmpty()) << "no gdbus";
    const QString mode = bustest::Property("ModeName").toString();
    const QString profile = QString::number(bustest::Property("ActiveProfile").toInt());
    script.setProcessEnvironment(env);
    script.start(QStringLiteral(KEYLUME_SOURCE_DIR "/docs/examples/keylume-status-bar"), {});
    ASSERT_TRUE(script.waitForStarted());
    ASSERT_TRUE(Prints(("P" + profile + " " + mode).toUtf8())) << printed.toStdString();

    const QString other = mode == "Rain" ? "Wave" : "Rain";
    ASSERT_EQ(
        bustest::Call(QString::fromLatin1(kBusInterface), "Set", {QVariantMap{{"mode", other}}})
            .type(),
        QDBusMessage::ReplyMessage);
    EXPECT_TRUE(Prints(("P" + profile + " " + other).toUtf8())) << printed.toStdString();
}

}  // namespace
