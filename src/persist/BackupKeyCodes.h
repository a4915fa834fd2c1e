#pragma once
// The keys' assignments in a backup, each in a readable kind: a key, a function, a macro with its
// steps, or the exact code where nothing readable fits.
#include <string>

#include "persist/BackupEntryNames.h"
#include "persist/BackupJson.h"
#include "persist/KeyboardBackup.h"

namespace persist {

backup_json::Json WriteKeyCodes(const KeyboardSnapshot& keyboard, const BackupEntryNames& keys,
                                const BackupNaming& naming);
// Fills the key code table (one entry per name of KEYS) and the macros of its slots, numbered
// from 0 in entry order. Throws backup_json::BackupRefusal naming the place under PATH.
void ReadKeyCodes(const backup_json::Json& value, const std::string& path,
                  const BackupEntryNames& keys, const BackupNaming& naming,
                  KeyboardSnapshot& keyboard);

}  // namespace persist
