// Another application coming to the front on a wlroots compositor (sway, headless) until the
// keyboard has its profile: sway's focus command sent on its own socket, the toplevel's
// activated state, the watch, the rules and the reports. sway refuses root: run as another user
// (./dev bench does).
#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "FrontSwitchMeasure.h"
#include "support/HelperProcesses.h"
#include "wayland/SwaySession.h"

namespace {

// A command on sway's own socket, answered before it returns; false when it was not carried out.
class SwayCommands {
public:
    explicit SwayCommands(const std::string& socketPath) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (socketPath.size() >= sizeof address.sun_path) return;
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket_ >= 0 &&
            connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(socket_);
            socket_ = -1;
        }
    }
    ~SwayCommands() {
        if (socket_ >= 0) close(socket_);
    }
    bool Run(const std::string& command) {
        // "i3-ipc", the payload's length, the message type (0: run a command), the payload.
        std::string message = "i3-ipc";
        const std::array<std::uint32_t, 2> header{static_cast<std::uint32_t>(command.size()), 0};
        message.append(reinterpret_cast<const char*>(header.data()), sizeof header);
        message += command;
        if (socket_ < 0 ||
            write(socket_, message.data(), message.size()) != static_cast<ssize_t>(message.size()))
            return false;
        std::array<char, 14> replyHeader{};
        if (!ReadAll(replyHeader.data(), replyHeader.size())) return false;
        std::uint32_t length = 0;
        std::memcpy(&length, replyHeader.data() + 6, sizeof length);
        std::string reply(length, '\0');
        return ReadAll(reply.data(), reply.size()) && reply.find("true") != std::string::npos;
    }

private:
    bool ReadAll(char* into, std::size_t size) {
        while (size > 0) {
            const ssize_t got = read(socket_, into, size);
            if (got <= 0) return false;
            into += got;
            size -= static_cast<std::size_t>(got);
        }
        return true;
    }
    int socket_ = -1;
};

void BM_FrontToProfileOnWlroots(benchmark::State& state) {
    if (getuid() == 0) return state.SkipWithError("sway does not run as root");
    const QString missing = e2e::SwaySession::Unavailable();
    if (!missing.isEmpty()) return state.SkipWithError(missing.toStdString().c_str());
    QString error;
    e2e::SwaySession sway(error);
    if (!error.isEmpty()) return state.SkipWithError(error.toStdString().c_str());
    const QProcessEnvironment env = sway.Environment(QProcessEnvironment::systemEnvironment());
    for (const char* name : {"WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
        setenv(name, env.value(name).toLocal8Bit().constData(), 1);
    std::vector<std::unique_ptr<QProcess>> windows;
    for (const char* app : {"first", "second"}) {
        windows.push_back(std::make_unique<QProcess>());
        windows.back()->setProcessEnvironment(env);
        windows.back()->start(KEYLUME_APP_WINDOW, {app});
    }
    SwayCommands sway_commands(env.value("SWAYSOCK").toStdString());
    // Both windows shown before the first measure.
    for (int tries = 0; tries < 100 && !sway_commands.Run("[app_id=first] focus"); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    MeasureFrontSwitches(state, &focus::WatchWlroots, [&](int application) {
        sway_commands.Run(application == 0 ? "[app_id=first] focus" : "[app_id=second] focus");
    });
    e2e::EndAll(windows);
}
BENCHMARK(BM_FrontToProfileOnWlroots)
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
