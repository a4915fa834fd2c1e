#pragma once
// A dbus-daemon of this process's own, ended with this object; the programs this process starts
// inherit its address.
#include <QProcess>
#include <QString>

namespace bustest {

class BusDaemon {
public:
    ~BusDaemon();
    // Starts the daemon on first use and makes it this process's session bus; the address, empty
    // when it did not start. Call it before anything asks for the session bus, which Qt keeps for
    // the whole process; it makes the Qt application the bus needs when there is none.
    QString Start();

private:
    QProcess daemon_;
    QString address_;
};

}  // namespace bustest
