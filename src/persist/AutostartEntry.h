#pragma once
// The desktop's autostart entry (XDG autostart) that starts the program with the desktop session,
// in the background.
#include <filesystem>
#include <string>
#include <vector>

#include "persist/AppPaths.h"

namespace persist {

// $XDG_CONFIG_HOME/autostart/<application id>.desktop, beside the user's own folder.
std::filesystem::path AutostartFile(const AppPaths::Environment& env);

// The entry is there and not turned off by the desktop ("Hidden=true").
bool AutostartOn(const std::filesystem::path& file);

// Writes the entry starting `program` with `arguments`, in one step; the error in words, empty
// when written.
std::string WriteAutostart(const std::filesystem::path& file, const std::filesystem::path& program,
                           const std::vector<std::string>& arguments);
// Removes it; the error in words, empty when it is gone.
std::string RemoveAutostart(const std::filesystem::path& file);

// One argument of an Exec line, quoted as desktop entries want it where it needs quotes.
std::string ExecArgument(const std::string& argument);

}  // namespace persist
