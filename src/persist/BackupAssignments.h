#pragma once
// A key's assignment in a backup file: what it plays, by name where a name says it exactly.
#include <map>
#include <set>
#include <string>

#include "persist/BackupJson.h"
#include "persist/KeyboardBackup.h"

namespace persist {

// `macros` holds the blocks of the slots keys play.
backup_json::Json WriteAssignment(macro_code_t code, const std::map<int, macro_block_t>& macros,
                                  const BackupNaming& naming);
// A macro's block goes to `macros` under the lowest slot number neither there nor `taken` (the
// slots of keys whose macro the file lacks); throws backup_json::BackupRefusal naming the place
// under `path`.
macro_code_t ReadAssignment(const backup_json::Json& value, const std::string& path,
                            const BackupNaming& naming, const std::set<int>& taken,
                            std::map<int, macro_block_t>& macros);

}  // namespace persist
