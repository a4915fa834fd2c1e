#include "support/BusCall.h"

#include <QCoreApplication>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QThread>

#include "support/PrivateBus.h"

namespace bustest {

QDBusConnection ClientConnection() {
    return QDBusConnection::connectToBus(Address(), QStringLiteral("test-client"));
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments,
                  const char* path) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kBusService), QString::fromLatin1(path), interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = ClientConnection().asyncCall(message, 30000);
    WaitFor([&] { return pending.isFinished(); }, 30000);
    return pending.reply();
}

QVariant Property(const char* name, const char* interface, const char* path) {
    const QDBusMessage reply =
        Call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
             {QString::fromLatin1(interface), QString::fromLatin1(name)}, path);
    if (reply.arguments().isEmpty()) return {};
    return reply.arguments().front().value<QDBusVariant>().variant();
}

ChangeCounter::ChangeCounter() {
    ClientConnection().connect(
        QString::fromLatin1(kBusService), QString::fromLatin1(kBusKeyboardPath),
        QString::fromLatin1(kBusInterface), QStringLiteral("Changed"), this, SLOT(OnChanged()));
}

SignalRecorder::SignalRecorder(const char* path, const char* interface, const char* name) {
    ClientConnection().connect(QString::fromLatin1(kBusService), QString::fromLatin1(path),
                               QString::fromLatin1(interface), QString::fromLatin1(name), this,
                               SLOT(OnSignal(QDBusMessage)));
}

PropertiesRecorder::PropertiesRecorder() {
    ClientConnection().connect(
        QString::fromLatin1(kBusService), QString::fromLatin1(kBusKeyboardPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
        this, SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
}

void PropertiesRecorder::OnPropertiesChanged(const QString& interface, const QVariantMap& values,
                                             const QStringList&) {
    if (interface != QLatin1String(kBusInterface)) return;
    ++count;
    changed.insert(values);
}

}  // namespace bustest
