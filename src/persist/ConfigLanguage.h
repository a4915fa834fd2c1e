#pragma once

#include <filesystem>
#include <string>

#include "files/FileReplacer.h"

namespace persist {

// Writes "config.xml" at `target` as read from `source` (the user's file, or the shipped one
// while the user has none) with `language` as its language, keeping the rest as it was. A
// source that cannot be read is not replaced by a file without the key lists: nothing is
// written then.
files::Replaced SaveConfigLanguage(const std::filesystem::path& target,
                                   const std::filesystem::path& source,
                                   const std::wstring& language,
                                   const files::FileReplacer& replacer = files::FileReplacer());

}  // namespace persist
