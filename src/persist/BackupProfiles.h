#pragma once
// Every profile's active mode and mode registers in a backup, modes by name.
#include <string>

#include "persist/BackupEntryNames.h"
#include "persist/BackupJson.h"
#include "records/KeyboardSnapshot.h"

namespace persist {

backup_json::Json WriteProfileList(const KeyboardSnapshot& keyboard, const BackupEntryNames& modes);
// Each profile gets one register per mode of MODES; registers the file leaves out are zero.
// Throws backup_json::BackupRefusal naming the place under PATH.
void ReadProfileList(const backup_json::Json& value, const std::string& path,
                     const BackupEntryNames& modes, KeyboardSnapshot& keyboard);

}  // namespace persist
