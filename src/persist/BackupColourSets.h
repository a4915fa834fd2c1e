#pragma once
// The keyboard's custom colour sets in a backup: each key colour entry by its key's name.
#include <string>

#include "persist/BackupEntryNames.h"
#include "persist/BackupJson.h"
#include "records/KeyboardSnapshot.h"

namespace persist {

backup_json::Json WriteColourSets(const KeyboardSnapshot& keyboard, const BackupEntryNames& keys);
// Every set gets one entry per name of KEYS; entries the file leaves out are zero. Throws
// backup_json::BackupRefusal naming the place under PATH.
void ReadColourSets(const backup_json::Json& value, const std::string& path,
                    const BackupEntryNames& keys, KeyboardSnapshot& keyboard);

}  // namespace persist
