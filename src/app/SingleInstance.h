#pragma once
// One running instance per user: the first instance takes a lock file and then listens on a
// local socket named by the instance name and the user, both in InstanceLock::Folder(), where no
// other user can put a socket in its place; a later start finds the lock taken, connects to the
// socket, asks the instance to bring its window to the front, handing on the activation token
// it was launched with, and ends.
#include <QLocalServer>
#include <QString>
#include <functional>

#include "app/InstanceLock.h"

class SingleInstance {
public:
    // The activation token a later start handed on; empty when it had none.
    using ShowHandler = std::function<void(const QByteArray& activationToken)>;

    // instanceName is also the mark the main window carries. A running first instance answers
    // a later start with onShowRequest, by default RaiseMarkedWindows.
    explicit SingleInstance(QString instanceName, ShowHandler onShowRequest = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first instance (it listens from now on). When another
    // instance answers, it has been asked to show its window, with activationToken, and false
    // is returned.
    bool Acquire(const QByteArray& activationToken = {});
    bool IsFirst() const { return m_server.isListening(); }
    QString SocketPath() const { return m_socketPath; }

    // The socket name for an instance name and the current user.
    static QString SocketNameFor(const QString& instanceName);
    // Where that socket is; empty when no folder is safe from other users, and the program
    // then runs without one.
    static QString SocketPathFor(const QString& instanceName);
    // Asks a running first instance to show its window; false when none answers.
    static bool AskRunningInstance(const QString& socketPath,
                                   const QByteArray& activationToken = {});
    // What the first instance does when asked: every window that carries the mark is
    // restored when minimised, shown when hidden, raised and activated, on Wayland with the
    // token, without which the compositor need not give it the focus.
    static void RaiseMarkedWindows(const QString& instanceName, const QByteArray& activationToken);

private:
    void OnConnection();
    // Asks the instance that holds the lock, which may still be on its way to listening.
    static void AskStartingInstance(const QString& socketPath, const QByteArray& activationToken);
    // Without the lock the socket alone decides, as well as it can.
    bool AcquireBySocketOnly(const QByteArray& activationToken);

    QString m_instanceName;
    QString m_socketPath;
    ShowHandler m_onShowRequest;
    InstanceLock m_lock;  // goes after the socket is closed
    QLocalServer m_server;
};
