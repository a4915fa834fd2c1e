#pragma once
// The program's macro groups in a backup: name, repeat and steps, without the group numbers.
#include <string>
#include <vector>

#include "persist/BackupJson.h"
#include "persist/MacroDocument.h"

namespace persist {

backup_json::Json WriteMacroGroups(const std::vector<MacroGroupContent>& groups);
// Groups come back with id -1: they are not on the keyboard. Throws backup_json::BackupRefusal
// naming the place under PATH.
std::vector<MacroGroupContent> ReadMacroGroups(const backup_json::Json& value,
                                               const std::string& path);

}  // namespace persist
