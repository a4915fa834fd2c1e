#pragma once

#include <string>

#include "persist/BackupJson.h"
#include "records/MacroBlock.h"

namespace persist {

// A macro slot's block as a backup object: name, repeat and steps, every byte that carries
// meaning and nothing else.
backup_json::Json WriteMacroBlock(const macro_block_t& block);
// Throws backup_json::BackupRefusal naming the place under PATH.
macro_block_t ReadMacroBlock(const backup_json::Json& value, const std::string& path);

}  // namespace persist
