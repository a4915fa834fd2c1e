#include "app/TrayHostWatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
// The watcher comes up a moment before its host registers with it.
constexpr int kPollMs = 250;
constexpr int kMaxPolls = 40;
constexpr int kCallTimeoutMs = 1000;

}  // namespace

TrayHostWatch::TrayHostWatch(std::function<void()> trayThere) : m_trayThere(std::move(trayThere)) {
    if (QGuiApplication::platformName() == QLatin1String("xcb") || HostRegistered()) {
        m_trayThere();
        return;
    }
    m_poll.setInterval(kPollMs);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { Check(); });
    m_watcher.setConnection(QDBusConnection::sessionBus());
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForRegistration);
    m_watcher.addWatchedService(kWatcherService);
    QObject::connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, [this] {
        m_polls = 0;
        m_poll.start();
    });
}

void TrayHostWatch::Check() {
    if (HostRegistered()) {
        m_poll.stop();
        m_watcher.removeWatchedService(kWatcherService);
        m_trayThere();
    } else if (++m_polls >= kMaxPolls) {
        m_poll.stop();
    }
}

bool TrayHostWatch::HostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kWatcherService, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}
