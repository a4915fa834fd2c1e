#include "cli/RunLocally.h"

#include "cli/CommandLine.h"
#include "cli/CommandRun.h"
#include "ops/BackupCommand.h"
#include "ops/LocalKeyboard.h"

int RunLocally(const std::vector<std::string>& arguments, const AppPaths& paths,
               const std::function<std::shared_ptr<HidBackend>(const std::string& emulation)>& open,
               std::ostream& out, std::ostream& err) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (auto answer = AnswerWithoutKeyboard(parsed, out, err)) return *answer;
    const CliCommand command = parsed.request.command;
    const bool readsOnly = command == CliCommand::Status || command == CliCommand::Modes ||
                           command == CliCommand::Export;
    LocalKeyboard keyboard(paths, open(parsed.request.emulation),
                           readsOnly ? MacroFile::Saving::Never : MacroFile::Saving::OnChange);
    if (!keyboard.ConfigNote().empty()) err << "keylume: " << keyboard.ConfigNote() << "\n";
    // A file that cannot be restored is refused before the keyboard hears anything.
    if (command == CliCommand::Import)
        if (auto refused = CheckBeforeConnecting(parsed.request.backup, keyboard.Operations()))
            return PrintOutcome(parsed.request, *refused, out, err);
    keyboard.Connect();
    return RunRequest(parsed.request, keyboard.Operations(), out, err);
}
