#pragma once
// `keylume export FILE` and `keylume import FILE [--partial]`: the file is written and read
// here, beside the user, whoever carries the keyboard side out.
#include <optional>

#include "cli/CliRequest.h"
#include "cli/KeyboardEndpoint.h"

class KeyboardOperations;

Outcome ExportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);
Outcome ImportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);

// The command's refusal before the keyboard is opened: an import of a file that cannot be
// restored. Nothing for every other command.
std::optional<Outcome> CheckBeforeConnecting(const CliRequest& request,
                                             const KeyboardOperations& keyboard);
