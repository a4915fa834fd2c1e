#include "support/BusDaemon.h"

#include <QCoreApplication>

namespace bustest {

BusDaemon::~BusDaemon() {
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.kill();
    daemon_.waitForFinished();
}

QString BusDaemon::Start() {
    if (!address_.isEmpty()) return address_;
    static int argc = 1;
    static char name[] = "keylume_bus_client";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon_.waitForStarted() && daemon_.waitForReadyRead(10000))
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    return address_;
}

}  // namespace bustest
