#pragma once
// The header as part of a whole backup's JSON.
#include "persist/BackupHeader.h"
#include "persist/BackupJson.h"

namespace persist {

backup_json::Json WriteHeaderObject(const BackupHeader& header);
// Throws backup_json::BackupRefusal naming the place.
BackupHeader ReadHeaderObject(const backup_json::Json& root);

}  // namespace persist
