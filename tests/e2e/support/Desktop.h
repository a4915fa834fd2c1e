#pragma once
// A desktop of its own for one scenario: an X server (Xvfb), a session bus and a window
// manager, so the program meets real input, real focus and real window placement.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <memory>
#include <vector>

#include "Session.h"

namespace e2e {

class Desktop : public Session {
public:
    // Starts everything; an empty `error` on success.
    Desktop(int width, int height, QString& error);
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    QString display() const { return display_; }
    QString busAddress() const override { return busAddress_; }
    // DISPLAY and the session bus on top of `base`.
    QProcessEnvironment Environment(QProcessEnvironment base) const override;

private:
    QProcess* Start(const QString& program, const QStringList& arguments);
    bool WindowManagerRunning() const;

    std::vector<std::unique_ptr<QProcess>> processes_;
    QString display_;
    QString busAddress_;
};

// Output of a short helper program run on `session` (xdotool, xwd, swaymsg); empty on failure.
QByteArray RunOn(const Session& session, const QString& program, const QStringList& arguments,
                 int* exitCode = nullptr);

}  // namespace e2e
