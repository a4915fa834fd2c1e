#pragma once
// Calls to the keyboard's bus object from a connection of the test's own, answered while the
// service runs on this thread's event loop.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantList>

namespace bustest {

// A second connection to the private bus, as another program would have.
QDBusConnection ClientConnection();

// Sends a call and runs the event loop until its answer arrives.
QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments);
QVariant Property(const char* name);

// Counts the Changed signals the keyboard object sends.
class ChangeCounter : public QObject {
    Q_OBJECT
public:
    ChangeCounter();
    int count = 0;
public slots:
    void OnChanged() { ++count; }
};

// Runs the event loop until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000);

}  // namespace bustest
