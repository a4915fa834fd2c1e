// Every command of the table against what the program says about it: its help, the manual, the
// options its parser takes, and the one shape of --json for a good line and a usage error.
#include <fstream>
#include <iterator>
#include <set>

#include "LocalCommandsFixture.h"
#include "cli/CommandHelp.h"
#include "cli/CommandLine.h"
#include "persist/MacroSharing.h"

namespace {

// The first word of every item of the manual's COMMANDS section.
std::set<std::string> ManualCommands() {
    std::ifstream manual(std::string(KEYLUME_SOURCE_DIR) + "/packaging/keylume.1");
    std::set<std::string> names;
    std::string line;
    bool inSection = false;
    bool item = false;
    while (std::getline(manual, line)) {
        if (line.rfind(".SH", 0) == 0) inSection = line == ".SH COMMANDS";
        if (inSection && item) {
            std::string words = line.substr(line.find(' ') + 1);
            if (words[0] == '"') words.erase(0, 1);
            const std::string name = words.substr(0, words.find_first_of(" \""));
            if (name[0] != '\\') names.insert(name);  // not an option of the command above
        }
        item = line == ".TP" && inSection;
    }
    return names;
}

bool OneShape(const nlohmann::json& answer, int code) {
    return answer.is_object() && answer.value("ok", !code) == (code == 0) &&
           answer.value("exitCode", -1) == code && answer.contains("message") &&
           answer["message"].is_string();
}

class CommandRegistry : public LocalCommands {};

TEST_F(CommandRegistry, EveryCommandIsDescribedParsedAndAnsweredAlike) {
    std::set<std::string> names;
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());  // the examples' files land in the folder
    persist::MacroGroupContent copy{MacroRecordGpInfo{0, 1, L"Copy"}, {{46, 0, 10, L"C"}}};
    std::ofstream(paths.macroFile) << persist::WriteSharedGroups({copy});
    for (const CommandEntry& command : Commands()) {
        const std::string name(command.name);
        names.insert(name);
        const std::string help = CommandHelp(command);
        EXPECT_NE(help.find("Usage: keylume " + name), std::string::npos) << help;
        EXPECT_NE(ProgramHelp().find("  " + name + " "), std::string::npos) << name;
        for (const CommandOption& option : command.options) {
            EXPECT_NE(help.find("--" + option.name), std::string::npos) << name << help;
            const ParsedCommandLine line =
                ParseCommandLine({name, "--" + option.name + (option.value.empty() ? "" : "=1")});
            EXPECT_EQ(line.error.find("unknown option"), std::string::npos) << line.error;
        }
        EXPECT_EQ(Run({name, "--json", "--no-such-option"}), kExitUsage) << name;
        EXPECT_TRUE(OneShape(Json(), kExitUsage)) << name << out.str();
        // The example of the help, with --json before the command and --emulate after it.
        std::istringstream example{std::string(command.example)};
        std::vector<std::string> words{"--json"};
        words.insert(words.end(), std::istream_iterator<std::string>(example), {});
        words.push_back("--emulate");
        const int code = Run(words);
        EXPECT_EQ(code, name == "diagnose" ? kExitKeyboard : kExitDone) << name << err.str();
        EXPECT_TRUE(OneShape(Json(), code)) << name << out.str();
    }
    std::filesystem::current_path(here);
    EXPECT_EQ(ManualCommands(), names);
}

}  // namespace
