#pragma once
// A Wayland session of its own for the scenarios: a session bus and sway on its headless
// backend (no GPU, no input devices), with its bar as the tray and windows of the program
// floating, as a user would place them, and activation requests followed by the focus.
#include <QDir>
#include <QImage>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <vector>

#include "support/Session.h"

namespace e2e {

struct WaylandWindow {
    QRect rect;  // its content on the screen
    bool focused = false;
};

class SwaySession : public Session {
public:
    // What this machine lacks to run the session; empty when nothing.
    static QString Unavailable();
    // Starts everything; an empty `error` on success.
    explicit SwaySession(QString& error);
    ~SwaySession() override;

    QProcessEnvironment Environment(QProcessEnvironment base) const override;
    QString busAddress() const override { return busAddress_; }

    // The program's shown windows (by its app id), as sway places them.
    std::vector<WaylandWindow> Windows();
    QImage Screen();
    // Runs a helper program on the session and returns its output; empty on failure.
    QByteArray Run(const QString& program, const QStringList& arguments, int* exitCode = nullptr);
    // A sway command, as `swaymsg` runs it; false when sway refused it.
    bool Command(const QString& command);

    void Click(QPoint at, int button = 1);
    // Keys as the scenarios name them ("Return", "ctrl+a") and text of the US layout.
    void Key(const QString& keys);
    void Type(const QString& text);
    void Drag(QPoint from, QPoint to);
    // A new activation token, as a launcher gets one for the program it starts.
    QByteArray ActivationToken();

private:
    // Sends one command to the virtual pointer and keyboard and waits for its answer.
    void Send(const QStringList& command);
    QProcess* Start(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& environment);

    // Short, as socket paths must be.
    QTemporaryDir folder_{QDir::tempPath() + "/keylume-sway-XXXXXX"};
    std::filesystem::path runtime_;
    QString busAddress_;
    QString waylandDisplay_;
    QString swaySocket_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    QProcess* input_ = nullptr;
};

}  // namespace e2e
