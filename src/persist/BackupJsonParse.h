#pragma once

#include <string_view>

#include "persist/BackupJson.h"

namespace persist::backup_json {

// Parses a whole backup; a name that appears twice in one object is refused rather than letting
// the last one silently win. Throws BackupRefusal.
Json ParseBackupText(std::string_view text);

}  // namespace persist::backup_json
