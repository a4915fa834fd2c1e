#include "ops/BackupCommand.h"

#include "files/FileReplacer.h"
#include "ops/BackupOperations.h"
#include "ops/KeyboardOperations.h"
#include "persist/KeyboardBackup.h"
#include "persist/SmallTextFile.h"

Outcome ExportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint) {
    std::string text;
    Outcome outcome = endpoint.Export(text);
    if (outcome.code != kExitDone) return outcome;
    if (const files::Replaced written = files::FileReplacer().Replace(request.file, text); !written)
        return {kExitKeyboard,
                request.file + " cannot be written: " + written.error + "; nothing was saved"};
    return {kExitDone, "exported the keyboard to " + request.file};
}

namespace {

persist::SmallTextFile ReadBackupFile(const BackupRequest& request) {
    persist::SmallTextFile file =
        persist::ReadSmallTextFile(request.file, persist::kMaxBackupTextBytes, "a keyboard backup");
    if (!file.ok()) file.error += "; nothing was sent";
    return file;
}

}  // namespace

Outcome ImportBackup(const BackupRequest& request, KeyboardEndpoint& endpoint) {
    const persist::SmallTextFile file = ReadBackupFile(request);
    if (!file.ok()) return {kExitUsage, file.error};
    const KeyChanges keys = request.dryRun ? KeyChanges::List
                            : request.yes  ? KeyChanges::Restore
                                           : KeyChanges::Refuse;
    return endpoint.Import(file.text, request.partial, keys);
}

std::optional<Outcome> CheckBeforeConnecting(const BackupRequest& request,
                                             const KeyboardOperations& keyboard) {
    const persist::SmallTextFile file = ReadBackupFile(request);
    if (!file.ok()) return Outcome{kExitUsage, file.error};
    return BackupOperations::Check(keyboard.Naming(), file.text);
}
