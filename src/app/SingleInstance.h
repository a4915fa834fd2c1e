#pragma once
// One running instance per user: the first instance listens on a local socket named by the
// instance name and the user; a later start connects to it, asks it to bring its window to
// the front and ends.
#include <QLocalServer>
#include <QString>

class SingleInstance {
public:
    // instanceName is also the mark the main window carries.
    explicit SingleInstance(QString instanceName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first instance (it listens from now on). When another
    // instance answers, it has been asked to show its window and false is returned.
    bool Acquire();
    bool IsFirst() const { return m_server.isListening(); }
    QString SocketName() const { return m_socketName; }

    // The socket name for an instance name and the current user.
    static QString SocketNameFor(const QString& instanceName);
    // Asks a running first instance to show its window; false when none answers.
    static bool AskRunningInstance(const QString& socketName);
    // What the first instance does when asked: every window that carries the mark is
    // restored when minimised, shown when hidden, raised and activated.
    static void RaiseMarkedWindows(const QString& instanceName);

private:
    void OnConnection();

    QString m_instanceName;
    QString m_socketName;
    QLocalServer m_server;
};
