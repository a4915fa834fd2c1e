// The table of commands: a new command is one entry here (its options, how it checks its line
// and what it runs), its fields in CliRequest.h, and its paragraph in the manual.
#include <algorithm>

#include "cli/CommandRegistry.h"
#include "cli/CommandRun.h"
#include "cli/MacrosCommand.h"
#include "cli/RulesText.h"
#include "cli/StatusText.h"
#include "emulator/Emulation.h"
#include "ops/BackupCommand.h"
#include "ops/KeyNames.h"
#include "ops/SettingText.h"

namespace {

void TakesNothing(CommandLine& line) {
    if (!line.plain.empty()) line.Fail("unexpected argument \"" + line.plain.front() + "\"");
}

void NoOption(CommandLine&, const std::string&, const std::string&) {}

// The keys of paint and assign, each a name of the key pictures.
bool KnownKeys(CommandLine& line) {
    for (const std::string& key : line.plain)
        if (!keynames::Find(key)) {
            line.Fail(keynames::Unknown(key));
            return false;
        }
    return true;
}

int Report(const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err,
           nlohmann::json (KeyboardEndpoint::*report)(),
           std::string (*text)(const nlohmann::json&)) {
    return host.OnKeyboard(
        request, true,
        [&](KeyboardEndpoint& keyboard) {
            const nlohmann::json described = (keyboard.*report)();
            out << (request.json ? JsonText(described) : text(described));
            return described.value("connected", false) ? kExitDone : kExitKeyboard;
        },
        nullptr, err);
}

template <typename Request>
int Change(const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err,
           Outcome (KeyboardEndpoint::*change)(const Request&), const Request& what) {
    return host.OnKeyboard(
        request, false,
        [&](KeyboardEndpoint& keyboard) {
            return PrintOutcome(request, (keyboard.*change)(what), out, err);
        },
        nullptr, err);
}

constexpr std::string_view kAssignKinds =
    "assign takes one of --key, --function, --combination, --macro and --clear";

std::vector<CommandOption> SetOptions() {
    std::vector<CommandOption> options;
    for (std::string_view name : settingtext::SettingNames())
        options.push_back({std::string(name), settingtext::ValueForm(name), ""});
    return options;
}

// The words after "rules", and what each takes.
const std::pair<std::string_view, RulesRequest::Action> kRulesActions[] = {
    {"list", RulesRequest::Action::List},
    {"add", RulesRequest::Action::Add},
    {"remove", RulesRequest::Action::Remove},
    {"on", RulesRequest::Action::On},
    {"off", RulesRequest::Action::Off}};

void CheckRulesLine(CommandLine& line) {
    std::vector<std::string>& plain = line.plain;
    if (plain.empty()) return line.Fail("rules needs list, add, remove, on or off");
    const auto found = std::find_if(std::begin(kRulesActions), std::end(kRulesActions),
                                    [&](const auto& entry) { return entry.first == plain[0]; });
    if (found == std::end(kRulesActions))
        return line.Fail("rules takes list, add, remove, on or off, not \"" + plain[0] + "\"");
    RulesRequest& rules = line.request.rules;
    rules.action = found->second;
    const bool add = rules.action == RulesRequest::Action::Add;
    const bool named = add || rules.action == RulesRequest::Action::Remove;
    if (named && (plain.size() < 2 || plain[1].empty()))
        return line.Fail("rules " + plain[0] + " needs an APPLICATION");
    if (plain.size() > (named ? 2u : 1u))
        return line.Fail("unexpected argument \"" + plain.back() + "\"");
    if (!add && !line.given.empty()) return line.Fail("only rules add takes --profile and --mode");
    if (named) rules.app = plain[1];
    if (!add) return;
    if (!line.request.set.profile) return line.Fail("rules add needs --profile N");
    rules.target = {*line.request.set.profile, line.request.set.mode};
    line.request.set = SetRequest();
}

int RunRules(const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
    return host.OnRules(
        [&](RulesEndpoint& endpoint) {
            nlohmann::json report;
            const Outcome outcome = endpoint.Rules(request.rules, report);
            if (outcome.code != kExitDone) return PrintOutcome(request, outcome, out, err);
            if (request.json) {
                report["message"] = outcome.message;
                out << JsonText(report);
            } else {
                out << (request.rules.action == RulesRequest::Action::List
                            ? RulesText(report)
                            : outcome.message + "\n");
            }
            return static_cast<int>(kExitDone);
        },
        err);
}

std::vector<CommandEntry> Table() {
    return {
        {"status",
         "",
         "connection, profile, mode, colours and key assignments",
         "status",
         {},
         NoOption,
         TakesNothing,
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return Report(request, host, out, err, &KeyboardEndpoint::StatusReport, StatusText);
         }},
        {"modes",
         "",
         "the keyboard's lighting modes and their settings",
         "modes",
         {},
         NoOption,
         TakesNothing,
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return Report(request, host, out, err, &KeyboardEndpoint::ModesReport, ModesText);
         }},
        {"set", "SETTING...",
         "changes the profile, the mode, its lighting or the custom colour set",
         "set --mode Custom --colour-set 2", SetOptions(),
         [](CommandLine& line, const std::string& name, const std::string& value) {
             if (auto error = settingtext::Apply(line.request.set, name, value)) line.Fail(*error);
         },
         [](CommandLine& line) {
             TakesNothing(line);
             if (line.request.set.Empty()) line.Fail("set needs at least one setting");
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return Change(request, host, out, err, &KeyboardEndpoint::Set, request.set);
         }},
        {"paint",
         "KEY... --colour RRGGBB",
         "colours keys of the custom colour set",
         "paint W A S D --colour 00FF00",
         {{"colour", "RRGGBB", "the colour, in hexadecimal"}},
         [](CommandLine& line, const std::string&, const std::string& value) {
             const auto colour = settingtext::Colour(value);
             if (!colour)
                 return line.Fail("--colour takes a colour as RRGGBB in hexadecimal, not \"" +
                                  value + "\"");
             line.request.paint.colour = *colour;
         },
         [](CommandLine& line) {
             if (!KnownKeys(line)) return;
             if (line.plain.empty()) return line.Fail("paint needs at least one key");
             if (!line.Given("colour")) return line.Fail("paint needs --colour RRGGBB");
             line.request.paint.keys = line.plain;
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return Change(request, host, out, err, &KeyboardEndpoint::Paint, request.paint);
         }},
        {"assign",
         "KEY --key OTHER | --function NAME | --combination NAME | --macro GROUP | --clear",
         "what a key plays",
         "assign F1 --function Mute",
         {{"key", "OTHER", "plays another key"},
          {"function", "NAME", "plays a function of the settings' list"},
          {"combination", "NAME", "plays a combination of the settings' list"},
          {"macro", "GROUP", "plays a macro group"},
          {"clear", "", "plays the key itself again"}},
         [](CommandLine& line, const std::string& name, const std::string& value) {
             if (line.given.size() > 1) return line.Fail(std::string(kAssignKinds));
             const auto kind = settingtext::AssignKindByName(name);
             line.request.assign.kind = kind.value_or(AssignKind::Clear);
             if (kind == AssignKind::Clear) return;
             if (value.empty()) return line.Fail("--" + name + " needs a value");
             if (kind == AssignKind::Key && !keynames::Find(value))
                 return line.Fail(keynames::Unknown(value));
             line.request.assign.value = value;
         },
         [](CommandLine& line) {
             if (!KnownKeys(line)) return;
             if (line.plain.size() != 1) return line.Fail("assign takes exactly one key");
             if (line.given.empty())
                 return line.Fail(
                     "assign needs one of --key, --function, --combination, --macro and --clear");
             line.request.assign.key = line.plain.front();
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return Change(request, host, out, err, &KeyboardEndpoint::Assign, request.assign);
         }},
        {"diagnose",
         "",
         "why the keyboard is not found or cannot be opened, and the fix",
         "diagnose",
         {},
         NoOption,
         TakesNothing,
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return host.Diagnose(request, out, err);
         }},
        {"export",
         "FILE",
         "saves the whole keyboard and the macro groups to FILE",
         "export keyboard.json",
         {},
         NoOption,
         [](CommandLine& line) {
             if (line.plain.empty() || line.plain.front().empty())
                 return line.Fail("export needs a FILE");
             line.request.backup.file = line.plain.front();
             line.plain.erase(line.plain.begin());
             TakesNothing(line);
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return host.OnKeyboard(
                 request, true,
                 [&](KeyboardEndpoint& keyboard) {
                     return PrintOutcome(request, ExportBackup(request.backup, keyboard), out, err,
                                         true);
                 },
                 nullptr, err);
         }},
        {"import",
         "FILE [--partial] [--yes | --dry-run]",
         "restores FILE;\na file that changes what keys play lists them and needs --yes",
         "import keyboard.json --dry-run",
         {{"partial", "", "restores what matches a keyboard of another shape"},
          {"yes", "", "restores the key assignments the file changes"},
          {"dry-run", "", "only lists what the keys would play"}},
         [](CommandLine& line, const std::string& name, const std::string&) {
             BackupRequest& backup = line.request.backup;
             (name == "partial" ? backup.partial
              : name == "yes"   ? backup.yes
                                : backup.dryRun) = true;
         },
         [](CommandLine& line) {
             if (line.plain.empty() || line.plain.front().empty())
                 return line.Fail("import needs a FILE");
             line.request.backup.file = line.plain.front();
             line.plain.erase(line.plain.begin());
             TakesNothing(line);
             if (line.request.backup.yes && line.request.backup.dryRun)
                 line.Fail("--yes and --dry-run exclude each other");
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             return host.OnKeyboard(
                 request, false,
                 [&](KeyboardEndpoint& keyboard) {
                     Outcome outcome = ImportBackup(request.backup, keyboard);
                     if (outcome.code != kExitDone && !outcome.keyChanges.empty())
                         outcome.message +=
                             "; check the list, then run again with --yes to restore it";
                     return PrintOutcome(request, outcome, out, err, true);
                 },
                 [&](const KeyboardOperations& keyboard) -> std::optional<int> {
                     // A file that cannot be restored is refused before the keyboard hears
                     // anything.
                     if (auto refused = CheckBeforeConnecting(request.backup, keyboard))
                         return PrintOutcome(request, *refused, out, err);
                     return std::nullopt;
                 },
                 err);
         }},
        {"macros",
         "export FILE [GROUP...] | import FILE",
         "shares macro groups as files;\nexport writes the named groups (all without names) in\n"
         "the format of \"macro.xml\"; import adds the groups of such a file, a name already\n"
         "taken gets a number, \"Name (2)\", and no group is replaced. A bad file changes nothing",
         "macros export shared.xml Copy",
         {},
         NoOption,
         [](CommandLine& line) {
             const std::vector<std::string>& plain = line.plain;
             if (plain.empty()) return line.Fail("macros needs export or import");
             if (plain[0] != "export" && plain[0] != "import")
                 return line.Fail("macros takes export or import, not \"" + plain[0] + "\"");
             MacrosRequest& macros = line.request.macros;
             macros.exporting = plain[0] == "export";
             if (plain.size() < 2 || plain[1].empty())
                 return line.Fail("macros " + plain[0] + " needs a FILE");
             macros.file = plain[1];
             macros.groups.assign(plain.begin() + 2, plain.end());
             if (!macros.exporting && !macros.groups.empty())
                 line.Fail("macros import takes one FILE");
         },
         [](const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err) {
             if (request.macros.exporting)
                 return ExportMacros(request.macros, host.MacroFile(), out, err);
             // A window saves its own copy of the macro file on every change: its editor imports.
             if (host.MacroFileHeld(err)) return static_cast<int>(kExitKeyboard);
             return ImportMacros(request.macros, host.MacroFile(), out, err);
         }},
        {"rules",
         "list | add APPLICATION --profile N [--mode NAME] | remove APPLICATION | on | off",
         "which profile, and mode, the keyboard shows while an application is\n"
         "in front; APPLICATION is its desktop file id, Wayland app id or X11 class, and *\n"
         "stands for every application without a rule (removed: the keyboard stays as it is)",
         "rules add org.gnome.Terminal --profile 1 --mode Wave",
         {{"profile", "N", "the profile, from 0"},
          {"mode", "NAME", "a mode the profile switches to"}},
         [](CommandLine& line, const std::string& name, const std::string& value) {
             if (auto error = settingtext::Apply(line.request.set, name, value)) line.Fail(*error);
         },
         CheckRulesLine,
         RunRules},
    };
}

}  // namespace

bool CommandLine::Given(std::string_view option) const {
    return std::find(given.begin(), given.end(), option) != given.end();
}

void CommandLine::Fail(std::string message) {
    if (error.empty()) error = std::move(message);
}

const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> table = Table();
    return table;
}

const CommandEntry* FindCommand(std::string_view name) {
    const auto& table = Commands();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const CommandEntry& entry) { return entry.name == name; });
    return found == table.end() ? nullptr : &*found;
}

const std::vector<CommandOption>& CommonOptions() {
    static const std::vector<CommandOption> options{
        {"emulate", "[=" + EmulationChoice() + "]", "an emulated keyboard (\"keyboard\" alone)"},
        {"json", "", "one object for scripts: \"ok\", \"exitCode\", \"message\""},
        {"verbose", "", "the trace on standard error; twice: every report", "v"},
        {"help", "", "this text", "h"},
    };
    return options;
}

const std::vector<CommandOption>& WindowOptions() {
    static const std::vector<CommandOption> options{
        {"screenshot", "FILE", "saves the window as a PNG picture once the keyboard is read"},
        {"background", "",
         "starts in the tray (minimised where there is none), as with the desktop"},
        {"version", "", "the program's version", "V"},
    };
    return options;
}
