#pragma once
// The commands of `keylume COMMAND [options]`.
#include <optional>
#include <string>
#include <vector>

// The exit code of the command the arguments (after the program name) name, or nothing when
// they name none and the window is to start.
std::optional<int> RunCommandLine(int argc, char* argv[]);

// The lines the window's --help ends with: the commands.
std::string CommandsHelp();
