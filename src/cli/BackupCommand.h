#pragma once
// `keylume export FILE` and `keylume import FILE [--partial]`: the file is written and read
// here, beside the user, whoever carries the keyboard side out.
#include <optional>

#include "cli/CliRequest.h"
#include "cli/KeyboardEndpoint.h"

// A backup is a few hundred kilobytes at most; anything far larger is not one.
inline constexpr std::uintmax_t kLargestBackupFile = 16 * 1024 * 1024;

class KeyboardOperations;

Outcome ExportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);
Outcome ImportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint);

// The command's refusal before the keyboard is opened: an import of a file that cannot be
// restored. Nothing for every other command.
std::optional<Outcome> CheckBeforeConnecting(const CliRequest& request,
                                             const KeyboardOperations& keyboard);
