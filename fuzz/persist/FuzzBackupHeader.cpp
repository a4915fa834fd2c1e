// Reads arbitrary bytes as a keyboard backup's header; whatever is accepted must write back and
// read again to the same values, and a refusal must name a place.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/BackupHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const persist::BackupHeaderResult first = persist::ReadBackupHeader(text);
    if (!first.header) {
        if (first.error.what.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const persist::BackupHeaderResult again =
        persist::ReadBackupHeader(persist::WriteBackupHeader(*first.header));
    if (!again.header || !(*again.header == *first.header)) {
        __builtin_trap();
    }
    return 0;
}
