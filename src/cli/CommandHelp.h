#pragma once
// The help texts and the hidden listings, all read from the table of commands.
#include <string>

#include "cli/CommandRegistry.h"

// "keylume --help": the window's options and every command with its line of description.
std::string ProgramHelp();
// "keylume COMMAND --help": its synopsis, description, options and an example.
std::string CommandHelp(const CommandEntry& command);

// "--list-commands": the names, one a line. "--list-options [COMMAND]": the options, one a line,
// with what each takes ("--colour RRGGBB"); without a command those before one.
std::string CommandList();
std::string OptionList(const CommandEntry* command);
