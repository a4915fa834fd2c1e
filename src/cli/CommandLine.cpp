#include "cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "ops/KeyNames.h"
#include "ops/SettingText.h"

namespace {

constexpr std::array<std::pair<std::string_view, CliCommand>, 8> kCommands{{
    {"status", CliCommand::Status},
    {"modes", CliCommand::Modes},
    {"set", CliCommand::Set},
    {"paint", CliCommand::Paint},
    {"assign", CliCommand::Assign},
    {"diagnose", CliCommand::Diagnose},
    {"export", CliCommand::Export},
    {"import", CliCommand::Import},
}};

constexpr std::array<std::string_view, 3> kEmulations{"keyboard", "old-firmware", "absent"};

// One "--name value" or "--name=value" option, or a plain argument.
struct Argument {
    bool option = false;
    std::string name;  // without the dashes
    std::optional<std::string> inlineValue;
    std::string text;  // the whole argument
};

Argument Split(const std::string& text) {
    Argument argument;
    argument.text = text;
    if (text.size() < 3 || text.compare(0, 2, "--") != 0) {
        argument.option = text == "-h";
        if (argument.option) argument.name = "help";
        return argument;
    }
    argument.option = true;
    const auto equals = text.find('=');
    argument.name = text.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    if (equals != std::string::npos) argument.inlineValue = text.substr(equals + 1);
    return argument;
}

class Parser {
public:
    Parser(const std::vector<std::string>& arguments, ParsedCommandLine& result)
        : arguments_(arguments), result_(result), request_(result.request) {}

    void Run() {
        if (arguments_.empty()) return Fail("no command given");
        const auto command =
            std::find_if(kCommands.begin(), kCommands.end(),
                         [&](const auto& entry) { return entry.first == arguments_.front(); });
        if (command == kCommands.end())
            return Fail("unknown command \"" + arguments_.front() + "\"");
        request_.command = command->second;
        for (next_ = 1; next_ < arguments_.size() && result_.ok();) {
            const Argument argument = Split(arguments_[next_++]);
            if (argument.option)
                Option(argument);
            else
                Plain(argument.text);
        }
        if (result_.ok()) Finish();
    }

private:
    void Fail(std::string error) {
        if (result_.ok()) result_.error = std::move(error);
    }

    // The value of an option: after '=' or the next argument.
    std::optional<std::string> Value(const Argument& argument) {
        if (argument.inlineValue) return argument.inlineValue;
        if (next_ < arguments_.size()) return arguments_[next_++];
        Fail("--" + argument.name + " needs a value");
        return std::nullopt;
    }

    void Option(const Argument& argument) {
        if (argument.name == "help") {
            helpAsked_ = true;
        } else if (argument.name == "json" && !argument.inlineValue) {
            request_.json = true;
        } else if (argument.name == "emulate") {
            const std::string value = argument.inlineValue.value_or("keyboard");
            if (std::find(kEmulations.begin(), kEmulations.end(), value) == kEmulations.end())
                return Fail("--emulate takes keyboard, old-firmware or absent, not \"" + value +
                            "\"");
            request_.emulation = value;
        } else if (request_.command == CliCommand::Set) {
            SetOption(argument);
        } else if (request_.command == CliCommand::Paint && argument.name == "colour") {
            if (auto value = Value(argument)) PaintColour(*value);
        } else if (request_.command == CliCommand::Assign) {
            AssignOption(argument);
        } else if (request_.command == CliCommand::Import && !argument.inlineValue &&
                   ImportFlag(argument.name)) {
            *ImportFlag(argument.name) = true;
        } else {
            Fail("unknown option \"" + argument.text + "\"");
        }
    }

    bool* ImportFlag(const std::string& name) {
        BackupRequest& backup = request_.backup;
        if (name == "partial") return &backup.partial;
        if (name == "yes") return &backup.yes;
        if (name == "dry-run") return &backup.dryRun;
        return nullptr;
    }

    void SetOption(const Argument& argument) {
        const auto& names = settingtext::SettingNames();
        if (std::find(names.begin(), names.end(), argument.name) == names.end())
            return Fail("unknown option \"" + argument.text + "\"");
        if (std::find(given_.begin(), given_.end(), argument.name) != given_.end())
            return Fail("--" + argument.name + " is given twice");
        given_.push_back(argument.name);
        if (auto value = Value(argument)) {
            if (auto error = settingtext::Apply(request_.set, argument.name, *value)) Fail(*error);
        }
    }

    void PaintColour(const std::string& value) {
        if (paintColour_) return Fail("--colour is given twice");
        paintColour_ = settingtext::Colour(value);
        if (!paintColour_)
            Fail("--colour takes a colour as RRGGBB in hexadecimal, not \"" + value + "\"");
        else
            request_.paint.colour = *paintColour_;
    }

    void AssignOption(const Argument& argument) {
        const auto kind = settingtext::AssignKindByName(argument.name);
        if (!kind) return Fail("unknown option \"" + argument.text + "\"");
        if (assignKind_)
            return Fail(
                "assign takes one of --key, --function, --combination, --macro "
                "and --clear");
        assignKind_ = kind;
        request_.assign.kind = *kind;
        if (*kind == AssignKind::Clear) {
            if (argument.inlineValue) Fail("--clear takes no value");
            return;
        }
        auto value = Value(argument);
        if (!value) return;
        if (value->empty()) return Fail("--" + argument.name + " needs a value");
        if (*kind == AssignKind::Key && !keynames::Find(*value))
            return Fail(keynames::Unknown(*value));
        request_.assign.value = *value;
    }

    void Plain(const std::string& text) {
        if (request_.command == CliCommand::Paint || request_.command == CliCommand::Assign) {
            if (!keynames::Find(text)) return Fail(keynames::Unknown(text));
            keys_.push_back(text);
            return;
        }
        if ((request_.command == CliCommand::Export || request_.command == CliCommand::Import) &&
            request_.backup.file.empty() && !text.empty()) {
            request_.backup.file = text;
            return;
        }
        Fail("unexpected argument \"" + text + "\"");
    }

    void Finish() {
        if (helpAsked_) {
            request_.command = CliCommand::Help;
            return;
        }
        switch (request_.command) {
            case CliCommand::Set:
                if (request_.set.Empty()) Fail("set needs at least one setting");
                break;
            case CliCommand::Paint:
                if (keys_.empty()) return Fail("paint needs at least one key");
                if (!paintColour_) return Fail("paint needs --colour RRGGBB");
                request_.paint.keys = keys_;
                break;
            case CliCommand::Assign:
                if (keys_.size() != 1) return Fail("assign takes exactly one key");
                if (!assignKind_)
                    return Fail(
                        "assign needs one of --key, --function, --combination, --macro "
                        "and --clear");
                request_.assign.key = keys_.front();
                break;
            case CliCommand::Export:
            case CliCommand::Import:
                if (request_.backup.file.empty())
                    return Fail(std::string(arguments_.front()) + " needs a FILE");
                if (request_.backup.yes && request_.backup.dryRun)
                    return Fail("--yes and --dry-run exclude each other");
                break;
            default:
                break;
        }
    }

    const std::vector<std::string>& arguments_;
    ParsedCommandLine& result_;
    CliRequest& request_;
    std::size_t next_ = 1;
    bool helpAsked_ = false;
    std::vector<std::string> given_;
    std::vector<std::string> keys_;
    std::optional<std::uint32_t> paintColour_;
    std::optional<AssignKind> assignKind_;
};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine result;
    Parser(arguments, result).Run();
    return result;
}

std::string CommandUsage() {
    return "Usage: keylume [COMMAND] [options]\n"
           "Without a command the window starts.\n"
           "\n"
           "Commands:\n"
           "  status                      connection, profile, mode, colours and key assignments\n"
           "  modes                       the keyboard's lighting modes and their settings\n"
           "  set [settings]              --profile N, --mode NAME|NUMBER, --brightness 0-255,\n"
           "                              --background-brightness 0-255, --speed 0-15,\n"
           "                              --direction right|left|up|down|clockwise|anticlockwise,\n"
           "                              --colour RRGGBB|auto, --background-colour RRGGBB,\n"
           "                              --colour-set 1-4\n"
           "  paint KEY... --colour RRGGBB\n"
           "                              colours keys of the custom colour set\n"
           "  assign KEY --key OTHER | --function NAME | --combination NAME | --macro GROUP |"
           " --clear\n"
           "  diagnose                    why the keyboard is not found or cannot be opened, and\n"
           "                              the fix\n"
           "  export FILE                 saves the whole keyboard and the macro groups to FILE\n"
           "  import FILE [--partial] [--yes | --dry-run]\n"
           "                              restores FILE; --partial restores what matches a\n"
           "                              keyboard of another shape; a file that changes what\n"
           "                              keys play lists them and needs --yes; --dry-run only\n"
           "                              lists them\n"
           "  macros export FILE [GROUP...] | macros import FILE\n"
           "                              share macro groups as files (see macros --help)\n"
           "\n"
           "Options of every command:\n"
           "  --emulate[=keyboard|old-firmware|absent]   use the emulated keyboard\n"
           "  --json                      output for scripts\n"
           "  -h, --help                  this text\n"
           "\n"
           "Exit status: 0 done, 1 the keyboard is absent or refused the command, 2 usage error.\n";
}
