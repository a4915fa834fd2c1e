#include "app/SingleInstance.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QThread>
#include <memory>

#include "app/ShowRequest.h"
#include "app/WindowProperty.h"
#include "ui/HostWnd.h"

namespace {

constexpr int kConnectTimeoutMs = 1000;
// How long a later start waits for an instance that has the lock but does not listen yet.
constexpr qint64 kStartingInstanceWaitMs = 5000;
constexpr unsigned long kRetryPauseMs = 20;

}  // namespace

SingleInstance::SingleInstance(QString instanceName, ShowHandler onShowRequest)
    : m_instanceName(std::move(instanceName)),
      m_socketPath(SocketPathFor(m_instanceName)),
      m_onShowRequest(std::move(onShowRequest)),
      m_lock(InstanceLock::FileFor(SocketNameFor(m_instanceName).toStdString())) {
    if (!m_onShowRequest) {
        m_onShowRequest = [this](const QByteArray& token) {
            RaiseMarkedWindows(m_instanceName, token);
        };
    }
    // Only the user who runs the program may ask it to show itself.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server,
                     [this] { OnConnection(); });
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

QString SingleInstance::SocketNameFor(const QString& instanceName) {
    return instanceName + QStringLiteral("-") + QString::number(getuid());
}

QString SingleInstance::SocketPathFor(const QString& instanceName) {
    const std::string name = SocketNameFor(instanceName).toStdString();
    const std::optional<std::filesystem::path> folder = InstanceLock::Folder(name);
    if (!folder) return {};
    return QString::fromStdString((*folder / name).string());
}

bool SingleInstance::Acquire(const QByteArray& activationToken) {
    if (IsFirst()) return true;
    // Nowhere to meet other starts safely: this one runs alone.
    if (m_socketPath.isEmpty()) return true;
    switch (m_lock.TryTake()) {
        case InstanceLock::State::Taken:
            // Not finding it listening changes nothing: one instance is enough.
            AskStartingInstance(m_socketPath, activationToken);
            return false;
        case InstanceLock::State::Held:
            // No other instance runs, so a socket file left is one of an instance that ended.
            QLocalServer::removeServer(m_socketPath);
            // Without a socket this instance still runs, as the only one.
            m_server.listen(m_socketPath);
            return true;
        case InstanceLock::State::Unusable:
            break;
    }
    return AcquireBySocketOnly(activationToken);
}

bool SingleInstance::AcquireBySocketOnly(const QByteArray& activationToken) {
    if (AskRunningInstance(m_socketPath, activationToken)) return false;
    // Nobody answers: what is left is the socket of an instance that crashed.
    if (m_server.listen(m_socketPath)) return true;
    QLocalServer::removeServer(m_socketPath);
    m_server.listen(m_socketPath);
    return true;
}

void SingleInstance::AskStartingInstance(const QString& socketPath,
                                         const QByteArray& activationToken) {
    QElapsedTimer waited;
    waited.start();
    while (!AskRunningInstance(socketPath, activationToken) &&
           waited.elapsed() < kStartingInstanceWaitMs)
        QThread::msleep(kRetryPauseMs);
}

bool SingleInstance::AskRunningInstance(const QString& socketPath,
                                        const QByteArray& activationToken) {
    if (socketPath.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(showrequest::Encode(activationToken));
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        auto readRequest = [this, socket, received] {
            *received += socket->readAll();
            if (const auto token = showrequest::Decode(*received)) {
                received->clear();
                m_onShowRequest(*token);
            } else if (received->size() > showrequest::kMaxLength) {
                // Not a later start of this program: nothing to wait for.
                received->clear();
                socket->abort();
            }
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, readRequest);
        if (socket->bytesAvailable() > 0) readRequest();
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void SingleInstance::RaiseMarkedWindows(const QString& instanceName,
                                        const QByteArray& activationToken) {
    // Qt's Wayland activation takes the token from the environment when the window asks.
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    for (SOUI::HWND window : WindowsWithProperty(instanceName)) {
        SOUI::SHostWnd* host = SOUI::SHostWnd::FromHandle(window);
        if (!host) continue;
        if (host->IsIconic()) host->ShowWindow(SOUI::SW_RESTORE);
        if (!host->IsVisible()) host->ShowWindow(SOUI::SW_SHOW);
        if (wayland && !activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
        host->SetForeground();
    }
}
