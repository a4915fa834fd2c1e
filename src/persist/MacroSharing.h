#pragma once
// Files of shared macro groups: the "macro.xml" format, so a whole "macro.xml" can be shared
// too. Reading checks every group before any is taken; the settings of the file are ignored.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "persist/MacroDocument.h"
#include "persist/MacroLimits.h"

namespace persist {

// Groups beyond the limits are written within them (WithinLimits), so every file written reads
// back.
std::string WriteSharedGroups(const std::vector<MacroGroupContent>& groups);

struct SharedGroupsRead {
    std::vector<MacroGroupContent> groups;
    std::string error;  // empty when every group was good
    bool ok() const { return error.empty(); }
};

SharedGroupsRead ReadSharedGroups(std::string_view text);

// Reads and checks a file of shared groups; a folder, a huge file or an unreadable one is an
// error like a bad text.
SharedGroupsRead ReadSharedGroupsFile(const std::filesystem::path& file);

// The imported groups as they join `existing`: a name already taken becomes "Name (2)",
// "Name (3)", ... and each group gets the lowest id no other group has, so no imported group
// claims a macro slot. Nothing existing is changed or replaced.
std::vector<MacroGroupContent> GroupsToAdd(const std::vector<MacroGroupContent>& existing,
                                           std::vector<MacroGroupContent> imported);

}  // namespace persist
