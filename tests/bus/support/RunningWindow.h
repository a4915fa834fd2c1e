#pragma once
// The program started offscreen with the emulated keyboard on the test's own bus, from a program
// folder of the test's own, waited for until its keyboard's object answers; commands run beside
// it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

namespace bustest {

inline constexpr int kRunTimeoutMs = 30000;

class RunningWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a command to its end; its exit code, or -1 on time-out.
    int Run(const QStringList& arguments, const QProcessEnvironment& environment);
    int Run(const QStringList& arguments) { return Run(arguments, env); }

    // The current mode as the window's Status property describes it.
    QJsonObject WindowMode();

    QTemporaryDir folder;
    QString program;
    QProcessEnvironment env;
    QProcess window;
    QByteArray out;
    QByteArray err;
};

}  // namespace bustest
