#pragma once
// Macros in a backup file: a keyboard slot's macro block and a program's macro group, each as
// a readable object that gives every meaningful byte back.
#include <string>

#include "persist/BackupJson.h"
#include "persist/MacroDocument.h"
#include "records/MacroBlock.h"

namespace persist {

backup_json::Json WriteMacroBlock(const macro_block_t& block);
// Throws backup_json::BackupRefusal naming the place under `path`.
macro_block_t ReadMacroBlock(const backup_json::Json& value, const std::string& path);

backup_json::Json WriteMacroGroup(const MacroGroupContent& group);
MacroGroupContent ReadMacroGroup(const backup_json::Json& value, const std::string& path);

}  // namespace persist
