// Reads arbitrary bytes as a whole keyboard backup; whatever is accepted must write, read and
// write again to the same bytes, and a refusal must name a place.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "persist/BackupSamples.h"
#include "persist/KeyboardBackup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const persist::BackupNaming naming = backup_samples::Naming();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const persist::BackupReadResult first = persist::ReadKeyboardBackup(text, naming);
    if (!first.backup) {
        if (first.error.what.empty() || first.error.where.empty() || first.error.where[0] != '/') {
            __builtin_trap();
        }
        return 0;
    }
    const std::string written = persist::WriteKeyboardBackup(*first.backup, naming);
    const persist::BackupReadResult again = persist::ReadKeyboardBackup(written, naming);
    if (!again.backup || persist::WriteKeyboardBackup(*again.backup, naming) != written) {
        __builtin_trap();
    }
    return 0;
}
