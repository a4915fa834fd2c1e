#include "main/CliMain.h"

#include <QCoreApplication>
#include <algorithm>
#include <iostream>

#include "app/DeviceBackends.h"
#include "app/DiagnoseCommand.h"
#include "app/InstanceLock.h"
#include "app/SingleInstance.h"
#include "bus/KeyboardBusClient.h"
#include "bus/RulesBusClient.h"
#include "cli/CommandLine.h"
#include "cli/CommandRun.h"
#include "cli/RunLocally.h"
#include "trace/Trace.h"

namespace {

// The single-instance name the window takes its lock under (entry 1 of its string table).
constexpr const char* kInstanceName = "keylume.instance";

Emulation EmulationOf(const std::string& name) {
    return EmulationByName(name).value_or(Emulation::None);
}

bool WindowLockTaken() {
    InstanceLock lock(InstanceLock::FileFor(
        SingleInstance::SocketNameFor(QString::fromLatin1(kInstanceName)).toStdString()));
    return lock.TryTake() == InstanceLock::State::Taken;
}

// The user's folder is made only for a command that may use it, not for help or a usage error.
AppPaths UserPaths(bool prepare) {
    AppPaths paths = AppPaths::ForThisProcess();
    if (prepare) paths.PrepareUserFolder();
    return paths;
}

// A window holds the lock but is not on this session bus: a command beside it would write to
// the keyboard or the files behind its back. Says so.
bool UnreachableWindow(std::ostream& err) {
    if (!WindowLockTaken()) return false;
    err << "keylume: a Keylume window is running but cannot be reached on the session bus; close "
           "it, or run the command in the window's session\n";
    return true;
}

// The commands in the program: through the running window when there is one.
class ProgramHost : public LocalHost {
public:
    explicit ProgramHost(bool prepare)
        : LocalHost(UserPaths(prepare), [](const std::string& emulation) {
              return MakeHidBackend(EmulationOf(emulation), EmulatedKeyboardStateFile());
          }) {}

    // A running window carries the command out, so it shows the change and no two programs
    // write to the keyboard at once.
    int OnKeyboard(const CliRequest& request, bool readsOnly, const Use& use, const Check& check,
                   std::ostream& err) override {
        if (auto window = KeyboardBusClient::Find()) {
            if (window->Emulation() != request.emulation) {
                err << "keylume: the running Keylume window uses "
                    << (window->Emulation().empty() ? "the real keyboard" : "the emulated keyboard")
                    << "; give the command the same --emulate as the window\n";
                return kExitKeyboard;
            }
            return use(*window);
        }
        if (UnreachableWindow(err)) return kExitKeyboard;
        return LocalHost::OnKeyboard(request, readsOnly, use, check, err);
    }

    // The window keeps the rules in memory and saves them on every change: it changes them.
    int OnRules(const std::function<int(RulesEndpoint& rules)>& use, std::ostream& err) override {
        if (KeyboardBusClient::Find()) {
            RulesBusClient window;
            return use(window);
        }
        if (UnreachableWindow(err)) return kExitKeyboard;
        return LocalHost::OnRules(use, err);
    }

    // Diagnosis looks at the system around the keyboard, so it runs here even beside a window.
    int Diagnose(const CliRequest& request, std::ostream& out, std::ostream&) override {
        return RunDiagnoseCommand(out, request.json, EmulationOf(request.emulation));
    }

    bool MacroFileHeld(std::ostream& err) override {
        if (!KeyboardBusClient::Find() && !WindowLockTaken()) return false;
        err << "keylume: a Keylume window is running; import the file with the Import button of "
               "its macro editor, or close the window first\n";
        return true;
    }
};

}  // namespace

std::optional<int> RunCommandLine(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const ParsedCommandLine line = ParseCommandLine(arguments);
    if (line.StartsWindow()) return std::nullopt;
    if (line.version && line.ok() && !line.command) {
        std::cout << "keylume " << QCoreApplication::applicationVersion().toStdString() << "\n";
        return kExitDone;
    }
    // Standard output is the command's answer: its trace goes to standard error, and only
    // when -v or KEYLUME_DEBUG asks.
    trace::SetLevel(static_cast<trace::Level>(std::min(line.verbosity, 2)));
    trace::SetWriter([](trace::Level, std::string_view text) { std::cerr << text << std::endl; });
    QCoreApplication application(argc, argv);
    ProgramHost host(line.ok() && line.command && !line.help);
    return RunCommand(line, host, std::cout, std::cerr);
}
