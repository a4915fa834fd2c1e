// The commands with a Keylume window running: the program started offscreen on the test's own
// bus carries them out, and its shapes show the change.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "bus/BusNames.h"
#include "support/BusCall.h"
#include "support/RunningWindow.h"

namespace {

using bustest::Property;
using bustest::RunningWindow;

TEST_F(RunningWindow, CarriesOutTheCommandsAndShowsTheChange) {
    ASSERT_EQ(Run({"set", "--emulate", "--mode", "Wave", "--speed", "3", "--direction", "left"}), 0)
        << err.toStdString();
    const QJsonObject mode = WindowMode();
    EXPECT_EQ(mode["name"].toString(), "Wave");
    EXPECT_EQ(mode["speed"].toInt(), 3);
    EXPECT_EQ(mode["direction"].toString(), "left");

    // status reads the window's view.
    ASSERT_EQ(Run({"status", "--emulate", "--json"}), 0) << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out).object()["mode"].toObject(), mode);

    // Bad input is refused before the window is asked, or by the window: nothing changes.
    EXPECT_EQ(Run({"set", "--emulate", "--speed", "16"}), 2);
    EXPECT_EQ(Run({"set", "--emulate", "--mode", "Custom", "--speed", "3"}), 2);
    EXPECT_NE(err.indexOf("has no speed"), -1);
    EXPECT_EQ(Run({"assign", "--emulate", "F1", "--macro", "None such"}), 2);
    EXPECT_EQ(WindowMode(), mode);

    // The window's keyboard kept the change: read back without the window.
    TearDown();
    ASSERT_EQ(Run({"status", "--emulate", "--json"}), 0) << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out).object()["mode"].toObject()["name"].toString(), "Wave");
}

TEST_F(RunningWindow, ModesPaintAndAssignGoThroughTheWindow) {
    ASSERT_EQ(Run({"modes", "--emulate", "--json"}), 0) << err.toStdString();
    // The command's answer is the window's description, with the result every command gives.
    QJsonObject answer = QJsonDocument::fromJson(out).object();
    EXPECT_TRUE(answer["ok"].toBool());
    for (const char* result : {"ok", "exitCode", "message"}) answer.remove(result);
    EXPECT_EQ(answer, QJsonDocument::fromJson(Property("Modes").toString().toUtf8()).object());

    ASSERT_EQ(Run({"paint", "--emulate", "esc", "--colour", "0A0B0C"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"assign", "--emulate", "F2", "--key", "Tab"}), 0) << err.toStdString();
    const QJsonObject status =
        QJsonDocument::fromJson(Property("Status").toString().toUtf8()).object();
    EXPECT_EQ(status["keyColours"].toArray()[0].toObject()["colour"].toString(), "#0A0B0C");
    const QJsonArray assignments = status["assignments"].toArray();
    ASSERT_EQ(assignments.size(), 1);
    EXPECT_EQ(assignments[0].toObject()["key"].toString(), "F2");
    EXPECT_EQ(assignments[0].toObject()["playsKey"].toString(), "Tab");

    EXPECT_EQ(Run({"paint", "--emulate", "Esc", "--colour", "0A0B0"}), 2);
    EXPECT_EQ(Run({"assign", "--emulate", "Fn", "--clear"}), 2);  // a name two keys have
}

TEST_F(RunningWindow, ExportAndImportGoThroughTheWindowAndMatchTheKeyboardsOwn) {
    const QString file = folder.filePath("keyboard.json");
    ASSERT_EQ(Run({"set", "--emulate", "--mode", "Rain", "--speed", "7"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"export", "--emulate", file}), 0) << err.toStdString();
    ASSERT_EQ(Run({"set", "--emulate", "--mode", "Wave"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"import", "--emulate", file}), 0) << err.toStdString();
    EXPECT_NE(out.indexOf("restored the whole keyboard"), -1) << out.toStdString();
    EXPECT_EQ(WindowMode()["name"].toString(), "Rain");
    EXPECT_EQ(WindowMode()["speed"].toInt(), 7);

    // A file that changes what a key plays is listed through the window, never restored by it.
    const QString keys = folder.filePath("keys.json");
    ASSERT_EQ(Run({"assign", "--emulate", "F1", "--key", "b"}), 0) << err.toStdString();
    ASSERT_EQ(Run({"export", "--emulate", keys}), 0) << err.toStdString();
    ASSERT_EQ(Run({"assign", "--emulate", "F1", "--clear"}), 0) << err.toStdString();
    EXPECT_EQ(Run({"import", "--emulate", keys, "--dry-run"}), 0) << err.toStdString();
    EXPECT_NE(out.indexOf("F1 \u2192 key B"), -1) << out.toStdString();
    EXPECT_EQ(Run({"import", "--emulate", keys, "--yes"}), 2);
    EXPECT_NE(err.indexOf("F1 \u2192 key B"), -1) << err.toStdString();
    EXPECT_NE(err.indexOf("Import settings"), -1) << err.toStdString();
    ASSERT_EQ(Run({"status", "--emulate"}), 0);
    EXPECT_NE(out.indexOf("Assigned keys: none"), -1) << out.toStdString();

    // Without the window the keyboard gives the same file.
    TearDown();
    const QString own = folder.filePath("own.json");
    ASSERT_EQ(Run({"export", "--emulate", own}), 0) << err.toStdString();
    QFile a(file), b(own);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

// Texts past a backup's bounds are refused by name, quickly, and the window lives on.
TEST_F(RunningWindow, AnImportPastTheBackupsBoundsIsRefusedAndTheWindowLivesOn) {
    const struct {
        QString text;
        const char* says;
    } cases[] = {
        {QString(4 * 1024 * 1024, u' '), "longer than 1048576 bytes"},
        {QString(100000, u'['), "nested deeper than 16 levels"},
    };
    for (const auto& bad : cases) {
        const QDBusMessage reply = bustest::Call(QString::fromLatin1(kBusInterface),
                                                 QStringLiteral("Import"), {bad.text, false});
        EXPECT_EQ(reply.errorName().toStdString(), kBusErrorInvalid);
        EXPECT_NE(reply.errorMessage().indexOf(QLatin1String(bad.says)), -1)
            << reply.errorMessage().toStdString();
    }
    EXPECT_EQ(window.state(), QProcess::Running);
    EXPECT_TRUE(Property("Connected").toBool());
}

TEST_F(RunningWindow, ACommandForAnotherKeyboardIsRefused) {
    EXPECT_EQ(Run({"set", "--speed", "3"}), 1);
    EXPECT_NE(err.indexOf("emulated keyboard"), -1);
}

TEST_F(RunningWindow, WithoutTheBusTheWindowsLockKeepsTheCommandOff) {
    QProcessEnvironment elsewhere = env;
    elsewhere.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder.filePath("no-bus"));
    EXPECT_EQ(Run({"set", "--emulate", "--brightness", "1"}, elsewhere), 1);
    EXPECT_NE(err.indexOf("cannot be reached"), -1);
}

TEST_F(RunningWindow, DiagnosisRunsBesideTheWindowAndOnlyReports) {
    const QJsonObject before =
        QJsonDocument::fromJson(Property("Status").toString().toUtf8()).object();
    ASSERT_EQ(Run({"diagnose", "--emulate"}), 0) << err.toStdString();
    EXPECT_NE(out.indexOf("Verdict: The emulated keyboard"), -1) << out.toStdString();
    ASSERT_EQ(Run({"diagnose", "--emulate=absent", "--json"}), 1) << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out).object()["verdict"].toString(), "no-keyboard");
    EXPECT_EQ(Run({"diagnose", "--emulate", "F1"}), 2);
    EXPECT_EQ(QJsonDocument::fromJson(Property("Status").toString().toUtf8()).object(), before);
}

}  // namespace
