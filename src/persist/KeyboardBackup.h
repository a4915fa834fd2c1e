#pragma once
// The keyboard backup file: the whole keyboard and the program's macro groups as readable JSON
// that gives back the same bytes. Qt-free, so the window, the commands and the tests share it.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "persist/BackupHeader.h"
#include "persist/BackupText.h"
#include "persist/MacroDocument.h"
#include "records/AppRules.h"
#include "records/KeyboardSnapshot.h"

namespace persist {

// How the program names the keyboard's entries: from its key pictures and its settings.
struct BackupNaming {
    std::vector<std::string> colourKeys;  // the name of each key colour entry; empty: no key
    std::vector<std::string> codeKeys;    // the name of each key code entry; empty: no key
    // The function keys' names and the direct codes they send.
    std::vector<std::pair<std::string, std::uint16_t>> functions;
    // The combinations' names and the macros the keyboard keeps for them.
    std::vector<std::pair<std::string, macro_block_t>> combinations;

    // The name of the combination whose macro `block` is, or null.
    const std::string* CombinationOf(const macro_block_t& block) const {
        for (const auto& [name, macro] : combinations)
            if (macro == block) return &name;
        return nullptr;
    }
};

struct KeyboardBackup {
    KeyboardSnapshot keyboard;
    std::vector<MacroGroupContent> groups;  // the program's macro groups, in list order
    // The rules of applications to profiles; files from before them have none.
    std::optional<rules::AppRules> rules;
};

struct BackupReadResult {
    std::optional<KeyboardBackup> backup;
    BackupError error;  // where and what, when there is no backup
};

std::string WriteKeyboardBackup(const KeyboardBackup& backup, const BackupNaming& naming);
// Checks the whole text, refusing one longer than kMaxBackupTextBytes or nested deeper than
// kMaxBackupDepth as it reads; a refusal names the place as a JSON pointer.
BackupReadResult ReadKeyboardBackup(std::string_view text, const BackupNaming& naming);

}  // namespace persist
