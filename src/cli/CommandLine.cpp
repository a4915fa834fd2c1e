#include "cli/CommandLine.h"

#include <algorithm>

#include "emulator/Emulation.h"

namespace {

// One "--name", "--name=value" or "-x" option.
struct Option {
    std::string name;  // without the dashes
    std::optional<std::string> inlineValue;
    std::string text;  // the whole argument
};

bool IsOption(const std::string& text) {
    return text.size() > 1 && text[0] == '-';
}

Option Split(const std::string& text) {
    Option option{{}, std::nullopt, text};
    if (text.compare(0, 2, "--") != 0) {
        option.name = text.substr(1);
        return option;
    }
    const auto equals = text.find('=');
    option.name = text.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    if (equals != std::string::npos) option.inlineValue = text.substr(equals + 1);
    return option;
}

bool IsEmulationName(const std::string& text) {
    return EmulationByName(text).has_value();
}

class Parser {
public:
    Parser(const std::vector<std::string>& arguments, ParsedCommandLine& result)
        : arguments_(arguments), result_(result) {
        // Scripts read the answer, a usage error too, as JSON wherever the flag stands.
        line_.request.json =
            std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
    }

    void Run() {
        while (next_ < arguments_.size() && line_.error.empty()) {
            const std::string& argument = arguments_[next_++];
            if (IsOption(argument))
                TakeOption(Split(argument));
            else
                Plain(argument);
        }
        if (line_.error.empty() && line_.request.json && result_.StartsWindow())
            line_.Fail("no command given for --json");
        if (line_.error.empty() && result_.command && !result_.help) result_.command->finish(line_);
        result_.request = std::move(line_.request);
        result_.error = std::move(line_.error);
    }

private:
    std::optional<std::string> Value(const Option& option) {
        if (option.inlineValue) return option.inlineValue;
        if (next_ < arguments_.size()) return arguments_[next_++];
        line_.Fail("--" + option.name + " needs a value");
        return std::nullopt;
    }

    // The options of every command and of the window; false when the option is none of them.
    bool Common(const Option& option) {
        const std::string& name = option.name;
        if (name == "json" || name == "help" || name == "h" || name == "version" || name == "V" ||
            name == "verbose" || name == "list-commands") {
            if (option.inlineValue) line_.Fail("--" + name + " takes no value");
            result_.help |= name == "help" || name == "h";
            result_.version |= name == "version" || name == "V";
            result_.verbosity += name == "verbose";
            result_.listCommands |= name == "list-commands";
        } else if (!name.empty() && name.find_first_not_of('v') == std::string::npos &&
                   option.text[1] != '-') {
            result_.verbosity += static_cast<int>(name.size());  // -v, -vv
        } else if (name == "emulate") {
            // An emulation name is never a command name: a bare --emulate before the command
            // means the working keyboard.
            std::string value = option.inlineValue.value_or("keyboard");
            if (!option.inlineValue && next_ < arguments_.size() &&
                IsEmulationName(arguments_[next_]))
                value = arguments_[next_++];
            if (!IsEmulationName(value))
                line_.Fail("--emulate takes " + EmulationChoice() + ", not \"" + value + "\"");
            line_.request.emulation = value;
        } else if (name == "list-options") {
            std::string command = option.inlineValue.value_or("");
            if (!option.inlineValue && next_ < arguments_.size() && FindCommand(arguments_[next_]))
                command = arguments_[next_++];
            result_.listOptions = command;
        } else if (name == "background" && !result_.command) {
            if (option.inlineValue) line_.Fail("--background takes no value");
            result_.background = true;
        } else if (name == "screenshot" && !result_.command) {
            if (auto value = Value(option)) {
                if (value->empty()) line_.Fail("--screenshot needs a file name");
                result_.screenshot = *value;
            }
        } else {
            return false;
        }
        return true;
    }

    void TakeOption(const Option& option) {
        if (Common(option)) return;
        const CommandEntry* command = result_.command;
        const auto& options = command ? command->options : std::vector<CommandOption>{};
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&](const auto& o) { return o.name == option.name; });
        if (known == options.end()) return line_.Fail("unknown option \"" + option.text + "\"");
        if (line_.Given(option.name)) return line_.Fail("--" + option.name + " is given twice");
        line_.given.push_back(option.name);
        if (known->value.empty()) {
            if (option.inlineValue) return line_.Fail("--" + option.name + " takes no value");
            return command->option(line_, option.name, {});
        }
        if (auto value = Value(option)) command->option(line_, option.name, *value);
    }

    void Plain(const std::string& text) {
        if (result_.command) return line_.plain.push_back(text);
        if (text == "help" && !result_.help) {
            result_.help = true;  // "keylume help [COMMAND]"
            return;
        }
        result_.command = FindCommand(text);
        if (!result_.command) line_.Fail("unknown command \"" + text + "\"");
    }

    const std::vector<std::string>& arguments_;
    ParsedCommandLine& result_;
    CommandLine line_;
    std::size_t next_ = 0;
};

}  // namespace

bool ParsedCommandLine::StartsWindow() const {
    return ok() && !command && !help && !version && !listCommands && !listOptions;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine result;
    Parser(arguments, result).Run();
    return result;
}
