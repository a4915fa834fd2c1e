#pragma once
// Calls to the keyboard's bus object from a connection of the test's own, answered while the
// service runs on this thread's event loop.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include "bus/BusNames.h"

namespace bustest {

// A second connection to the private bus, as another program would have.
QDBusConnection ClientConnection();

// Sends a call and runs the event loop until its answer arrives.
QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments,
                  const char* path = kBusKeyboardPath);
QVariant Property(const char* name, const char* interface = kBusInterface,
                  const char* path = kBusKeyboardPath);

// Counts the Changed signals the keyboard object sends.
class ChangeCounter : public QObject {
    Q_OBJECT
public:
    ChangeCounter();
    int count = 0;
public slots:
    void OnChanged() { ++count; }
};

// Keeps the arguments of the latest of a signal the service sends.
class SignalRecorder : public QObject {
    Q_OBJECT
public:
    SignalRecorder(const char* path, const char* interface, const char* name);
    QVariantList arguments;
public slots:
    void OnSignal(const QDBusMessage& message) { arguments = message.arguments(); }
};

// Gathers what the keyboard object's PropertiesChanged signals say, the latest value of each.
class PropertiesRecorder : public QObject {
    Q_OBJECT
public:
    PropertiesRecorder();
    QVariantMap changed;
    int count = 0;  // signals received
public slots:
    void OnPropertiesChanged(const QString& interface, const QVariantMap& values,
                             const QStringList& invalidated);
};

// Runs the event loop until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

}  // namespace bustest
