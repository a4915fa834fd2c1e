#include "cli/RunLocally.h"

#include "cli/CommandLine.h"
#include "cli/CommandRun.h"
#include "ops/LocalKeyboard.h"

int LocalHost::OnKeyboard(const CliRequest& request, bool readsOnly, const Use& use,
                          const Check& check, std::ostream& err) {
    LocalKeyboard keyboard(paths_, open_(request.emulation),
                           readsOnly ? MacroFile::Saving::Never : MacroFile::Saving::OnChange);
    if (!keyboard.ConfigNote().empty()) err << "keylume: " << keyboard.ConfigNote() << "\n";
    if (check)
        if (auto refused = check(keyboard.Operations())) return *refused;
    keyboard.Connect();
    return use(keyboard.Operations());
}

int LocalHost::Diagnose(const CliRequest&, std::ostream&, std::ostream& err) {
    err << "keylume: diagnose examines this system and runs only in the program\n";
    return kExitKeyboard;
}

int LocalHost::OnRules(const std::function<int(RulesEndpoint& rules)>& use, std::ostream&) {
    FileRules rules{persist::AppRulesFile(paths_.rulesFile())};
    return use(rules);
}

int RunLocally(const std::vector<std::string>& arguments, const AppPaths& paths,
               const OpenBackend& open, std::ostream& out, std::ostream& err) {
    LocalHost host(paths, open);
    return RunCommand(ParseCommandLine(arguments), host, out, err);
}
