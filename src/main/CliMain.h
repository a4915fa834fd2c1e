#pragma once
// The commands of `keylume [options] COMMAND [options]`.
#include <optional>

// The exit code of what the arguments ask for (a command, the help, the version, a usage
// error), or nothing when the window is to start.
std::optional<int> RunCommandLine(int argc, char* argv[]);
