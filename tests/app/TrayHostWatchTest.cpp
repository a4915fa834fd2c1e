// A tray that comes after start-up still gets the icon: the watch calls back once a status
// notifier host is registered on the session bus, not before.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

#include "app/TrayHostWatch.h"
#include "support/BusDaemon.h"

namespace {

// The tray's side of the bus, as a panel that starts late offers it.
class LateTray : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)
public:
    bool HostRegistered() const { return true; }
};

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return done();
}

TEST(TrayHostWatch, CallsBackOnceATrayHostComesAfterStartUp) {
    bustest::BusDaemon daemon;
    ASSERT_FALSE(daemon.Start().isEmpty());
    int calls = 0;
    TrayHostWatch watch([&] { ++calls; });
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);

    LateTray tray;
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(
        bus.registerObject("/StatusNotifierWatcher", &tray, QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService("org.kde.StatusNotifierWatcher"));
    EXPECT_TRUE(WaitUntil([&] { return calls == 1; }));
}

}  // namespace

#include "TrayHostWatchTest.moc"
