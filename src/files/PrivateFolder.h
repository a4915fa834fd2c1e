#pragma once
// Folders that hold the user's own files.
#include <filesystem>

namespace files {

// Makes `folder` and every missing folder above it readable by the user alone (0700); folders
// that exist are left as they are. True when `folder` is a folder afterwards.
bool MakePrivateFolder(const std::filesystem::path& folder);

// True when nobody but the user can add, remove or replace entries in `folder`: it is a folder
// (not a link to one) that the user owns and that no one else may write to.
bool OnlyUserCanChange(const std::filesystem::path& folder);

}  // namespace files
