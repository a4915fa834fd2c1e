#pragma once
// One running instance per user: the first instance takes a lock file and then listens on a
// local socket named by the instance name and the user, both in InstanceLock::Folder(), where no
// other user can put a socket in its place; a later start finds the lock taken, connects to the
// socket, asks the instance to bring its window to the front and ends.
#include <QLocalServer>
#include <QString>
#include <functional>

#include "app/InstanceLock.h"

class SingleInstance {
public:
    // instanceName is also the mark the main window carries. A running first instance answers
    // a later start with onShowRequest, by default RaiseMarkedWindows.
    explicit SingleInstance(QString instanceName, std::function<void()> onShowRequest = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first instance (it listens from now on). When another
    // instance answers, it has been asked to show its window and false is returned.
    bool Acquire();
    bool IsFirst() const { return m_server.isListening(); }
    QString SocketPath() const { return m_socketPath; }

    // The socket name for an instance name and the current user.
    static QString SocketNameFor(const QString& instanceName);
    // Where that socket is; empty when no folder is safe from other users, and the program
    // then runs without one.
    static QString SocketPathFor(const QString& instanceName);
    // Asks a running first instance to show its window; false when none answers.
    static bool AskRunningInstance(const QString& socketPath);
    // What the first instance does when asked: every window that carries the mark is
    // restored when minimised, shown when hidden, raised and activated.
    static void RaiseMarkedWindows(const QString& instanceName);

private:
    void OnConnection();
    // Asks the instance that holds the lock, which may still be on its way to listening.
    static void AskStartingInstance(const QString& socketPath);
    // Without the lock the socket alone decides, as well as it can.
    bool AcquireBySocketOnly();

    QString m_instanceName;
    QString m_socketPath;
    std::function<void()> m_onShowRequest;
    InstanceLock m_lock;  // goes after the socket is closed
    QLocalServer m_server;
};
