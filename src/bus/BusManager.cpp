#include "bus/BusManager.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "bus/BusNames.h"

BusManager::BusManager(QObject* service) : QDBusAbstractAdaptor(service) {}

QList<QDBusObjectPath> BusManager::Keyboards() const {
    return {QDBusObjectPath(QString::fromLatin1(kBusKeyboardPath))};
}

uint BusManager::APIVersion() const {
    return kBusApiVersion;
}

void BusManager::Announce(const char* signal) {
    QDBusMessage message = QDBusMessage::createSignal(QString::fromLatin1(kBusManagerPath),
                                                      QString::fromLatin1(kBusManagerInterface),
                                                      QString::fromLatin1(signal));
    message << QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kBusKeyboardPath)));
    QDBusConnection::sessionBus().send(message);
}
