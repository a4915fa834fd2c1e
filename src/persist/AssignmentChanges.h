#pragma once
// What a restore would make the keys play, spelled out for the user to see before anything is
// sent: a backup file can make a key type any keystrokes.
#include <string>
#include <vector>

#include "persist/KeyboardBackup.h"

namespace persist {

struct AssignmentChange {
    std::string key;    // the key's name on the pictures, or "#N"
    std::string plays;  // what it will play, e.g. "macro \"x\": Ctrl+Alt+T, c u r l"
    std::vector<std::string> warnings;  // e.g. "remaps a common key", "holds Ctrl+Alt"

    // "Enter → macro "x": Ctrl+Alt+T, c u r l, Enter (!) holds Ctrl+Alt, presses Enter".
    std::string Line() const;
};

// Every key whose assignment differs between `now` and `target`, in key order.
std::vector<AssignmentChange> AssignmentChanges(const KeyboardSnapshot& target,
                                                const KeyboardSnapshot& now,
                                                const BackupNaming& naming);

// The keys a macro presses, in order: modifiers held with the key they shape ("Ctrl+C"), runs
// of single characters as typed ("c u r l").
std::string SpellMacro(const macro_block_t& block);

}  // namespace persist
