#pragma once
// The command line of the commands: `keylume COMMAND [options]`. Pure text work; nothing here
// touches the keyboard, so a usage error is always found before anything is sent.
#include <string>
#include <vector>

#include "cli/CliRequest.h"

struct ParsedCommandLine {
    CliRequest request;
    std::string error;  // empty when the line is good
    bool ok() const { return error.empty(); }
};

// The command's name and its arguments (the program name left out).
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text of all commands.
std::string CommandUsage();
