#pragma once
// Every command of `keylume COMMAND [options]`, declared once: its name, its help, its options,
// how its line is read and how it runs. The parser, the help, the completion (through
// --list-commands and --list-options) and the tests all read this table.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliRequest.h"
#include "cli/CommandHost.h"

struct CommandOption {
    std::string name;   // without the dashes
    std::string value;  // what it takes, as the help names it; empty for a flag
    std::string help;
    std::string letter = {};  // the short form, "v" for -v
};

// A command line while it is read: what the parser found, for the command to complete.
struct CommandLine {
    CliRequest request;
    std::vector<std::string> plain;  // the command's arguments that are no options, in order
    std::vector<std::string> given;  // the command's options given, without the dashes
    std::string error;               // the first error; empty while the line is good

    bool Given(std::string_view option) const;
    void Fail(std::string message);
};

struct CommandEntry {
    std::string_view name;
    std::string_view synopsis;  // what follows the name
    std::string_view description;
    std::string_view example;            // a good line after "keylume ", shown in the help
    std::vector<CommandOption> options;  // besides those of every command
    // Takes one of its options (an empty value for a flag), then checks the whole line.
    void (*option)(CommandLine& line, const std::string& name, const std::string& value);
    void (*finish)(CommandLine& line);
    int (*run)(const CliRequest& request, CommandHost& host, std::ostream& out, std::ostream& err);
};

const std::vector<CommandEntry>& Commands();
const CommandEntry* FindCommand(std::string_view name);

// The options every command takes, and those of the window alone, for the help and the listings.
const std::vector<CommandOption>& CommonOptions();
const std::vector<CommandOption>& WindowOptions();
