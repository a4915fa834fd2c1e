#pragma once
// Export to and import from a backup file: the file is written and read here, beside the
// user, whoever carries the keyboard side out (this process, or the running window).
#include <optional>

#include "ops/KeyboardEndpoint.h"
#include "ops/KeyboardRequests.h"

class KeyboardOperations;

Outcome ExportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);
Outcome ImportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);

// The refusal of an import before the keyboard is opened: a file that cannot be restored.
std::optional<Outcome> CheckBeforeConnecting(const BackupRequest& request,
                                             const KeyboardOperations& keyboard);
