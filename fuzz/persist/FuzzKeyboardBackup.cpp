// Reads arbitrary bytes as a keyboard backup; whatever is accepted must write back and read
// again to the same file, and a refusal must name a place.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzNaming.h"
#include "persist/KeyboardBackup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const persist::BackupNaming naming = fuzzing::Naming();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const persist::BackupReadResult first = persist::ReadKeyboardBackup(text, naming);
    if (!first.backup) {
        if (first.error.where.empty() || first.error.what.empty()) __builtin_trap();
        return 0;
    }
    const std::string written = persist::WriteKeyboardBackup(*first.backup, naming);
    const persist::BackupReadResult again = persist::ReadKeyboardBackup(written, naming);
    if (!again.backup || persist::WriteKeyboardBackup(*again.backup, naming) != written)
        __builtin_trap();
    return 0;
}
