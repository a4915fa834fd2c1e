#include "support/BusCall.h"

#include <QCoreApplication>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QThread>

#include "bus/BusNames.h"
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

QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath), interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = ClientConnection().asyncCall(message, 30000);
    WaitFor([&] { return pending.isFinished(); }, 30000);
    return pending.reply();
}

QVariant Property(const char* name) {
    const QDBusMessage reply =
        Call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
             {QString::fromLatin1(kBusInterface), QString::fromLatin1(name)});
    if (reply.arguments().isEmpty()) return {};
    return reply.arguments().front().value<QDBusVariant>().variant();
}

ChangeCounter::ChangeCounter() {
    ClientConnection().connect(QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath),
                               QString::fromLatin1(kBusInterface), QStringLiteral("Changed"), this,
                               SLOT(OnChanged()));
}

}  // namespace bustest
