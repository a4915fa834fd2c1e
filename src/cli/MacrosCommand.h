#pragma once
// "keylume macros export FILE [GROUP...]" and "keylume macros import FILE": macro groups of
// "macro.xml" shared as files of their own. Neither touches the keyboard.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliRequest.h"

// Writes the chosen groups of the macro file to request.file, replacing it in one step.
int ExportMacros(const MacrosRequest& request, const std::filesystem::path& macroFile,
                 std::ostream& out, std::ostream& err);

// Adds the groups of request.file to the macro file; no window may hold the macro file meanwhile.
int ImportMacros(const MacrosRequest& request, const std::filesystem::path& macroFile,
                 std::ostream& out, std::ostream& err);
