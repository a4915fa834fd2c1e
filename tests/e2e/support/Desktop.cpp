#include "Desktop.h"

#include "HelperProcesses.h"

namespace e2e {

Desktop::Desktop(int width, int height, QString& error) {
    // -displayfd picks a free display and names it on standard output, so parallel
    // scenarios never collide.
    QProcess* x =
        Start("Xvfb", {"-displayfd", "1", "-screen", "0",
                       QString("%1x%2x24").arg(width).arg(height), "-nolisten", "tcp", "-noreset"});
    const QString number = FirstLine(*x);
    if (number.isEmpty()) {
        error = "Xvfb did not start: " + QString::fromUtf8(x->readAllStandardError());
        return;
    }
    display_ = ":" + number;
    QProcess* bus = Start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    busAddress_ = FirstLine(*bus);
    if (busAddress_.isEmpty()) {
        error = "the session bus did not start";
        return;
    }
    Start("openbox", {"--sm-disable"});
    if (!WaitUntil([this] { return WindowManagerRunning(); }))
        error = "the window manager did not start on " + display_;
}

Desktop::~Desktop() {
    EndAll(processes_);
}

QProcessEnvironment Desktop::Environment(QProcessEnvironment base) const {
    base.insert("DISPLAY", display_);
    base.insert("DBUS_SESSION_BUS_ADDRESS", busAddress_);
    base.remove("WAYLAND_DISPLAY");
    base.insert("QT_QPA_PLATFORM", "xcb");
    return base;
}

QProcess* Desktop::Start(const QString& program, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment(QProcessEnvironment::systemEnvironment()));
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(program, arguments);
    process->waitForStarted(5000);
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

bool Desktop::WindowManagerRunning() const {
    return RunOn(*this, "xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
}

QByteArray RunOn(const Session& session, const QString& program, const QStringList& arguments,
                 int* exitCode) {
    QProcess process;
    process.setProcessEnvironment(session.Environment(QProcessEnvironment::systemEnvironment()));
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        if (exitCode) *exitCode = -1;
        return {};
    }
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

}  // namespace e2e
