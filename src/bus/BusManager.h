#pragma once
// The list of the window's keyboards on the session bus (interface org.keylume.Manager1,
// described in org.keylume.Manager1.xml): the window drives one, whose object is there while the
// window runs and tells by its own properties whether the keyboard is plugged in.
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QList>

class BusManager : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.keylume.Manager1")
    Q_PROPERTY(QList<QDBusObjectPath> Keyboards READ Keyboards)
    Q_PROPERTY(uint APIVersion READ APIVersion)

public:
    explicit BusManager(QObject* service);

    QList<QDBusObjectPath> Keyboards() const;
    uint APIVersion() const;

    // Sends KeyboardAdded or KeyboardRemoved for the window's keyboard at once: Qt relays an
    // adaptor's signal later, when the object may already have left the bus.
    void Announce(const char* signal);

signals:
    // Declared for the interface's description; sent by Announce.
    void KeyboardAdded(const QDBusObjectPath& keyboard);
    void KeyboardRemoved(const QDBusObjectPath& keyboard);
};
