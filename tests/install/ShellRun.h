#pragma once
// Runs a program through the shell, for tests that drive installed programs.
#include <filesystem>
#include <string>
#include <vector>

struct ShellResult {
    int status = -1;     // the exit code; -1 when the program did not end normally
    std::string output;  // standard output and standard error together
};

// `environment` holds "NAME=value" entries to set and "NAME=" entries to remove; `folder`, when
// given, is the working folder.
ShellResult RunShell(const std::vector<std::string>& command,
                     const std::vector<std::string>& environment = {},
                     const std::filesystem::path& folder = {});
