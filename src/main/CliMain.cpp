#include "main/CliMain.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string_view>

#include "app/DeviceBackends.h"
#include "app/DiagnoseCommand.h"
#include "app/InstanceLock.h"
#include "app/SingleInstance.h"
#include "bus/KeyboardBusClient.h"
#include "cli/CommandLine.h"
#include "cli/CommandRun.h"
#include "cli/MacrosCommand.h"
#include "cli/RunLocally.h"

namespace {

// The single-instance name the window takes its lock under (entry 1 of its string table).
constexpr const char* kInstanceName = "keylume.instance";

using CommandFunction = int (*)(const std::vector<std::string>& arguments);

int RunKeyboardCommand(const std::vector<std::string>& arguments);
int RunDiagnose(const std::vector<std::string>& arguments);
int RunMacros(const std::vector<std::string>& arguments);

struct CommandEntry {
    std::string_view name;
    CommandFunction run;  // gets the command's name and its arguments
};

// Every command of the program, in one place: a command added here is found by the window's
// entry point and by `--help`.
constexpr CommandEntry kCommandTable[] = {
    {"status", RunKeyboardCommand}, {"modes", RunKeyboardCommand},  {"set", RunKeyboardCommand},
    {"paint", RunKeyboardCommand},  {"assign", RunKeyboardCommand}, {"diagnose", RunDiagnose},
    {"macros", RunMacros},          {"export", RunKeyboardCommand}, {"import", RunKeyboardCommand},
};

Emulation EmulationOf(const std::string& text) {
    Emulation emulation = Emulation::None;
    EmulationFromText(QString::fromStdString(text), emulation);
    return emulation;
}

// The device layer's trace lines would mix with what scripts read from standard output: while a
// command runs they go nowhere, and its own output goes to the real standard output at the end.
class QuietTrace {
public:
    QuietTrace() : output_(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (sink >= 0) {
            dup2(sink, STDOUT_FILENO);
            close(sink);
        }
    }
    ~QuietTrace() {
        std::fflush(stdout);
        if (output_ < 0) return;
        dup2(output_, STDOUT_FILENO);
        close(output_);
        std::cout << text.str() << std::flush;
    }
    QuietTrace(const QuietTrace&) = delete;
    QuietTrace& operator=(const QuietTrace&) = delete;

    std::ostringstream text;

private:
    int output_;
};

int RunKeyboardCommand(const std::vector<std::string>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (auto answer = AnswerWithoutKeyboard(parsed, std::cout, std::cerr)) return *answer;

    // A running window carries the command out, so it shows the change and no two programs
    // write to the keyboard at once.
    if (auto window = KeyboardBusClient::Find()) {
        if (window->Emulation() != parsed.request.emulation) {
            std::cerr << "keylume: the running Keylume window uses "
                      << (window->Emulation().empty() ? "the real keyboard"
                                                      : "the emulated keyboard")
                      << "; give the command the same --emulate as the window\n";
            return kExitKeyboard;
        }
        return RunRequest(parsed.request, *window, std::cout, std::cerr);
    }
    InstanceLock lock(InstanceLock::FileFor(
        SingleInstance::SocketNameFor(QString::fromLatin1(kInstanceName)).toStdString()));
    if (lock.TryTake() == InstanceLock::State::Taken) {
        std::cerr << "keylume: a Keylume window is running but cannot be reached on the session "
                     "bus; close it, or run the command in the window's session\n";
        return kExitKeyboard;
    }
    AppPaths paths = AppPaths::ForThisProcess();
    paths.PrepareUserFolder();
    QuietTrace quiet;
    return RunLocally(
        arguments, paths,
        [](const std::string& emulation) {
            return MakeHidBackend(EmulationOf(emulation), EmulatedKeyboardStateFile());
        },
        quiet.text, std::cerr);
}

// Diagnosis looks at the system around the keyboard, so it runs here even while a window is open.
int RunDiagnose(const std::vector<std::string>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (auto answer = AnswerWithoutKeyboard(parsed, std::cout, std::cerr)) return *answer;
    QuietTrace quiet;
    return RunDiagnoseCommand(quiet.text, parsed.request.json,
                              EmulationOf(parsed.request.emulation));
}

// Import changes "macro.xml", which a running window keeps in memory and saves on every change:
// the window's editor imports instead, so nothing is lost to its next save.
int RunMacros(const std::vector<std::string>& arguments) {
    const MacrosRequest request = ParseMacrosCommand(arguments);
    if (!request.error.empty()) return UsageError(request.error, std::cerr);
    if (request.action == MacrosRequest::Action::Help) {
        std::cout << MacrosUsage();
        return kExitDone;
    }
    AppPaths paths = AppPaths::ForThisProcess();
    paths.PrepareUserFolder();
    if (request.action == MacrosRequest::Action::Export)
        return ExportMacros(request, paths.macroFile, std::cout, std::cerr);
    InstanceLock lock(InstanceLock::FileFor(
        SingleInstance::SocketNameFor(QString::fromLatin1(kInstanceName)).toStdString()));
    if (KeyboardBusClient::Find() || lock.TryTake() == InstanceLock::State::Taken) {
        std::cerr << "keylume: a Keylume window is running; import the file with the Import "
                     "button of its macro editor, or close the window first\n";
        return kExitKeyboard;
    }
    return ImportMacros(request, paths.macroFile, std::cout, std::cerr);
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    if (arguments.empty()) return std::nullopt;
    const auto entry = std::find_if(std::begin(kCommandTable), std::end(kCommandTable),
                                    [&](const CommandEntry& e) { return e.name == arguments[0]; });
    if (entry == std::end(kCommandTable)) return std::nullopt;
    QCoreApplication application(argc, argv);
    return entry->run(arguments);
}

std::string CommandsHelp() {
    std::string names;
    for (const CommandEntry& entry : kCommandTable)
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return "\nCommands: " + names + ". \"keylume COMMAND --help\" describes them.\n";
}
