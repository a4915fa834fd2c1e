#pragma once

#include <string>

#include "persist/BackupJson.h"
#include "records/RegMode.h"

namespace persist {

// One mode register as a backup object; every bit of the register comes back as written.
backup_json::Json WriteModeRegister(const _reg_mode_t& reg);
// Throws backup_json::BackupRefusal naming the place under PATH.
_reg_mode_t ReadModeRegister(const backup_json::Json& value, const std::string& path);

}  // namespace persist
