#include "cli/LocalKeyboard.h"

#include "cli/BackupCommand.h"
#include "cli/CommandLine.h"
#include "cli/CommandRun.h"

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
    if (auto refused = CheckBeforeConnecting(parsed.request, keyboard.Operations()))
        return PrintOutcome(parsed.request, *refused, out, err);
    keyboard.Connect();
    return RunRequest(parsed.request, keyboard.Operations(), out, err);
}

LocalKeyboard::LocalKeyboard(const AppPaths& paths, std::shared_ptr<HidBackend> backend,
                             MacroFile::Saving saving)
    : watch_(std::make_shared<RefusalWatch>(std::move(backend))), link_(watch_) {
    configNote_ = config_.LoadWithFallback(paths.configFile, paths.shippedConfigFile);
    macros_ = std::make_unique<MacroFile>(paths.macroFile, files::FileReplacer(), saving);
    // The client joins after the lists are loaded, so it starts with them.
    client_ = std::make_unique<KeyboardClient>();
    operations_ = std::make_unique<KeyboardOperations>(*client_, watch_.get(), paths.uiFolder());
}

void LocalKeyboard::Connect() {
    if (logic_) return;
    logic_ = std::make_unique<KeyboardLogic>(&link_);
    // The connection read runs on the store's thread; the commands start from its result.
    KeyboardClient::Settle();
}

LocalKeyboard::~LocalKeyboard() {
    operations_.reset();
    logic_.reset();
    // Changes on their way may still rewrite the macro file; they finish before it goes.
    KeyboardClient::Settle();
    client_.reset();
    macros_.reset();
}
