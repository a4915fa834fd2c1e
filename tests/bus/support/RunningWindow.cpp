#include "support/RunningWindow.h"

#include <QDBusConnectionInterface>
#include <QJsonDocument>

#include "bus/BusNames.h"
#include "support/BusCall.h"
#include "support/PrivateBus.h"
#include "support/ProgramCopy.h"

namespace bustest {

void RunningWindow::SetUp() {
    ASSERT_FALSE(Address().isEmpty()) << "no dbus-daemon";
    ASSERT_TRUE(folder.isValid());
    program = QString::fromStdString(
        testsupport::CopyProgram(KEYLUME_EXECUTABLE, folder.filePath("program").toStdString())
            .string());
    env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", folder.path());
    env.insert("XDG_RUNTIME_DIR", folder.path());
    window.setProcessEnvironment(env);
    window.start(program, {"--emulate"});
    ASSERT_TRUE(window.waitForStarted());
    ASSERT_TRUE(WaitFor(
        [] {
            auto bus = ClientConnection();
            return bus.interface()->isServiceRegistered(kBusService).value();
        },
        kRunTimeoutMs));
    // The window has read its keyboard.
    ASSERT_TRUE(WaitFor([] { return Property("Connected").toBool(); }, kRunTimeoutMs));
}

void RunningWindow::TearDown() {
    window.terminate();
    if (!window.waitForFinished(5000)) window.kill();
    window.waitForFinished();
}

int RunningWindow::Run(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess command;
    command.setProcessEnvironment(environment);
    command.start(program, arguments);
    if (!command.waitForFinished(kRunTimeoutMs)) return -1;
    out = command.readAllStandardOutput();
    err = command.readAllStandardError();
    return command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
}

QJsonObject RunningWindow::WindowMode() {
    return QJsonDocument::fromJson(Property("Status").toString().toUtf8())
        .object()["mode"]
        .toObject();
}

}  // namespace bustest
