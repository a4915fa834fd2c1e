#include "support/PrivateBus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

namespace bustest {

namespace {

class BusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Address(); }
    void TearDown() override {
        if (daemon_.state() == QProcess::NotRunning) return;
        daemon_.kill();
        daemon_.waitForFinished();
    }

    QString Start() {
        if (!address_.isEmpty()) return address_;
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (daemon_.waitForStarted() && daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        // Set before the first use of the session bus, which Qt keeps for the whole process.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
        return address_;
    }

private:
    QProcess daemon_;
    QString address_;
};

BusEnvironment* environment =
    static_cast<BusEnvironment*>(::testing::AddGlobalTestEnvironment(new BusEnvironment));

}  // namespace

QString Address() {
    static int argc = 1;
    static char name[] = "test_bus";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)application;
    return environment->Start();
}

}  // namespace bustest
