#pragma once
// The command line of the commands: `keylume COMMAND [options]`. Pure text work; nothing here
// touches the keyboard, so a usage error is always found before anything is sent.
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliRequest.h"

struct ParsedCommandLine {
    CliRequest request;
    std::string error;  // empty when the line is good
    bool ok() const { return error.empty(); }
};

// The arguments after the program name. Without a command the window starts (the window's
// own options are left to it); the commands' names are listed by CommandNames().
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Whether the first argument names a command, so that the window's parser is not asked.
bool NamesCommand(const std::vector<std::string>& arguments);

const std::vector<std::string_view>& CommandNames();

// The usage text of all commands.
std::string CommandUsage();
