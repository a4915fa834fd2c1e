#include "cli/CommandHelp.h"

#include <sstream>

namespace {

constexpr int kOptionColumn = 30;

void Describe(std::ostream& out, const std::vector<CommandOption>& options) {
    for (const CommandOption& option : options) {
        std::string head =
            (option.letter.empty() ? "  --" : "  -" + option.letter + ", --") + option.name;
        if (!option.value.empty()) head += (option.value[0] == '[' ? "" : " ") + option.value;
        out << head;
        if (option.help.empty()) {
            out << "\n";
            continue;
        }
        if (head.size() + 2 > kOptionColumn)
            out << "\n" << std::string(kOptionColumn, ' ');
        else
            out << std::string(kOptionColumn - head.size(), ' ');
        out << option.help << "\n";
    }
}

constexpr const char* kExitStatus =
    "Exit status: 0 done, 1 the keyboard is absent or refused the command, 2 usage error.\n";

}  // namespace

std::string ProgramHelp() {
    std::ostringstream out;
    out << "Usage: keylume [options] [COMMAND [arguments] [options]]\n"
           "Configures the lighting, key assignments and macros of the keyboard. Without a\n"
           "command the window starts.\n\nCommands:\n";
    for (const CommandEntry& command : Commands()) {
        const std::string head = "  " + std::string(command.name);
        std::string_view summary = command.description.substr(0, command.description.find('\n'));
        if (summary.ends_with(';')) summary.remove_suffix(1);
        out << head << std::string(kOptionColumn - head.size(), ' ') << summary << "\n";
    }
    out << "\"keylume COMMAND --help\" or \"keylume help COMMAND\" describes one.\n\n"
           "Options of every command and of the window:\n";
    Describe(out, CommonOptions());
    out << "Options of the window:\n";
    Describe(out, WindowOptions());
    out << "\n" << kExitStatus;
    return out.str();
}

std::string CommandHelp(const CommandEntry& command) {
    std::ostringstream out;
    out << "Usage: keylume " << command.name
        << (command.synopsis.empty() ? "" : " " + std::string(command.synopsis)) << " [options]\n"
        << command.description << ".\n";
    if (!command.options.empty()) {
        out << "\nOptions:\n";
        Describe(out, command.options);
    }
    out << "\nOptions of every command:\n";
    Describe(out, CommonOptions());
    out << "\nExample: keylume " << command.example << "\n" << kExitStatus;
    return out.str();
}

std::string CommandList() {
    std::string names;
    for (const CommandEntry& command : Commands()) names += std::string(command.name) + "\n";
    return names;
}

std::string OptionList(const CommandEntry* command) {
    std::string list;
    const auto add = [&](const std::vector<CommandOption>& options) {
        for (const CommandOption& option : options)
            list += "--" + option.name +
                    (option.value.empty() || option.value[0] == '[' ? "" : " " + option.value) +
                    "\n";
    };
    add(CommonOptions());
    add(command ? command->options : WindowOptions());
    return list;
}
