// Any text, of any length, as a bus Import, `keylume import` and the window's import hand it to
// the backup reader: a text past the length limit is refused for its length, and every refusal
// names a place. An input that starts with '*' stands for the rest after its second byte repeated
// up to the length limit, and once more past it when that byte is odd, so short inputs reach the
// length and the depth limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzNaming.h"
#include "persist/KeyboardBackup.h"

namespace {

std::string Repeated(const std::string& unit, bool pastTheLimit) {
    const std::size_t copies = persist::kMaxBackupTextBytes / unit.size() + (pastTheLimit ? 1 : 0);
    std::string text;
    text.reserve(copies * unit.size());
    for (std::size_t i = 0; i < copies; ++i) text += unit;
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const persist::BackupNaming naming = fuzzing::Naming();
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 2 && data[0] == '*') text = Repeated(text.substr(2), data[1] % 2 == 1);
    const persist::BackupReadResult read = persist::ReadKeyboardBackup(text, naming);
    const bool tooLong = text.size() > persist::kMaxBackupTextBytes;
    if (read.backup) {
        if (tooLong) __builtin_trap();
        return 0;
    }
    if (read.error.where.empty() || read.error.what.empty()) __builtin_trap();
    if (tooLong && read.error.what.find("longer than") == std::string::npos) __builtin_trap();
    return 0;
}
