#include "SwaySession.h"

#include <unistd.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <fstream>
#include <functional>

#include "support/Desktop.h"
#include "support/HelperProcesses.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

// Floating windows keep the size the program asks for; the bar's tray holds status notifiers.
constexpr const char* kConfig = R"(output HEADLESS-1 mode 1600x1000
default_border none
default_floating_border none
focus_on_window_activation focus
for_window [app_id=")" KEYLUME_APP_ID R"("] floating enable
bar {
  position top
  tray_output *
}
)";

// The first entry of `folder` whose name starts with `prefix` and passes `keep`.
QString EntryStartingWith(const fs::path& folder, const QString& prefix,
                          const std::function<bool(const QString&)>& keep) {
    const QStringList names = QDir(QString::fromStdString(folder.string())).entryList(QDir::System);
    for (const QString& name : names)
        if (name.startsWith(prefix) && keep(name)) return name;
    return {};
}

void CollectWindows(const QJsonObject& node, std::vector<WaylandWindow>& found) {
    if (node.value("app_id").toString() == QLatin1String(KEYLUME_APP_ID) &&
        node.value("visible").toBool()) {
        const QJsonObject r = node.value("rect").toObject();
        const QJsonObject w = node.value("window_rect").toObject();
        found.push_back({QRect(r.value("x").toInt() + w.value("x").toInt(),
                               r.value("y").toInt() + w.value("y").toInt(),
                               w.value("width").toInt(), w.value("height").toInt()),
                         node.value("focused").toBool()});
    }
    for (const char* list : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node.value(list).toArray())
            CollectWindows(child.toObject(), found);
}

}  // namespace

QString SwaySession::Unavailable() {
    for (const char* program : {"sway", "swaymsg", "swaybar", "grim", "dbus-daemon", "dbus-send"}) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return QString("%1 is not installed (tools/install-deps)").arg(program);
    }
    if (getuid() == 0) return "sway does not run as root: run the leg through as-unprivileged-user";
    return {};
}

SwaySession::SwaySession(QString& error) : runtime_(folder_.path().toStdString()) {
    fs::permissions(runtime_, fs::perms::owner_all, fs::perm_options::replace);
    std::ofstream(runtime_ / "sway.config") << kConfig;

    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    base.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.string()));
    base.remove("DISPLAY");
    base.remove("WAYLAND_DISPLAY");
    QProcess* bus =
        Start("dbus-daemon",
              {"--session", "--nofork", "--print-address=1",
               QString::fromStdString("--address=unix:path=" + (runtime_ / "bus").string())},
              base);
    busAddress_ = FirstLine(*bus);
    if (busAddress_.isEmpty()) {
        error = "the session bus did not start";
        return;
    }
    base.insert("DBUS_SESSION_BUS_ADDRESS", busAddress_);
    base.insert("WLR_BACKENDS", "headless");
    base.insert("WLR_RENDERER", "pixman");
    base.insert("WLR_LIBINPUT_NO_DEVICES", "1");
    QProcess* sway =
        Start("sway", {"-c", QString::fromStdString((runtime_ / "sway.config").string())}, base);
    const bool up = WaitUntil([&] {
        const QString display = EntryStartingWith(
            runtime_, "wayland-", [](const QString& name) { return !name.endsWith(".lock"); });
        const QString socket =
            EntryStartingWith(runtime_, "sway-ipc.", [](const QString&) { return true; });
        if (display.isEmpty() || socket.isEmpty()) return false;
        waylandDisplay_ = QString::fromStdString((runtime_ / display.toStdString()).string());
        swaySocket_ = QString::fromStdString((runtime_ / socket.toStdString()).string());
        return true;
    });
    if (!up) {
        error =
            "sway did not start: " + QString::fromUtf8(sway->readAllStandardError().right(2000));
        return;
    }
    input_ = Start(KEYLUME_WAYLAND_INPUT, {"devices"}, Environment(base));
    if (FirstLine(*input_) != QLatin1String("ready"))
        error = "no virtual input: " + QString::fromUtf8(input_->readAllStandardError());
}

SwaySession::~SwaySession() {
    EndAll(processes_);
}

QProcessEnvironment SwaySession::Environment(QProcessEnvironment base) const {
    base.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.string()));
    // An absolute path: the program gets a runtime folder of its own for its instance socket.
    base.insert("WAYLAND_DISPLAY", waylandDisplay_);
    base.insert("SWAYSOCK", swaySocket_);
    base.insert("DBUS_SESSION_BUS_ADDRESS", busAddress_);
    base.insert("QT_QPA_PLATFORM", "wayland");
    base.remove("DISPLAY");
    return base;
}

QProcess* SwaySession::Start(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->start(program, arguments);
    process->waitForStarted(5000);
    processes_.push_back(std::move(process));
    return processes_.back().get();
}

QByteArray SwaySession::Run(const QString& program, const QStringList& arguments, int* exitCode) {
    return RunOn(*this, program, arguments, exitCode);
}

std::vector<WaylandWindow> SwaySession::Windows() {
    std::vector<WaylandWindow> found;
    CollectWindows(QJsonDocument::fromJson(Run("swaymsg", {"-r", "-t", "get_tree"})).object(),
                   found);
    return found;
}

QImage SwaySession::Screen() {
    const QString file = QString::fromStdString((runtime_ / "screen.png").string());
    Run("grim", {file});
    return QImage(file);
}

void SwaySession::Key(const QString& keys) {
    Send({"key", keys});
}

void SwaySession::Type(const QString& text) {
    Send({"type", text});
}

bool SwaySession::Command(const QString& command) {
    int exitCode = -1;
    Run("swaymsg", {command}, &exitCode);
    return exitCode == 0;
}

void SwaySession::Send(const QStringList& command) {
    input_->write((command.join(' ') + '\n').toUtf8());
    FirstLine(*input_);
}

void SwaySession::Click(QPoint at, int button) {
    Send({"click", QString::number(at.x()), QString::number(at.y()), QString::number(button)});
}

void SwaySession::Drag(QPoint from, QPoint to) {
    Send({"drag", QString::number(from.x()), QString::number(from.y()), QString::number(to.x()),
          QString::number(to.y())});
}

QByteArray SwaySession::ActivationToken() {
    return Run(KEYLUME_WAYLAND_INPUT, {"token"}).trimmed();
}

}  // namespace e2e
