#pragma once
// What an import makes of the keyboard: the file's state laid over the keyboard's, matched by
// mode name and by position, and the check of the keyboard read back afterwards.
#include <string>
#include <vector>

#include "records/KeyboardSnapshot.h"

namespace persist {

struct RestorePlan {
    // Where the file's keyboard and this one differ in shape, in words; empty when the whole
    // file fits.
    std::vector<std::string> differences;
    // The keyboard as it should be afterwards, in its own order of modes and sizes of tables.
    KeyboardSnapshot target;
};

RestorePlan PlanRestore(const KeyboardSnapshot& file, const KeyboardSnapshot& keyboard);

// Where `actual` differs from `target`, in words. Keys playing macros compare by the macro
// and how it plays, not by slot: the keyboard chooses slots itself.
std::vector<std::string> SnapshotDifferences(const KeyboardSnapshot& target,
                                             const KeyboardSnapshot& actual);

// Every byte alike, the reserved bit included (the register's == leaves it out).
bool SameRegister(const _reg_mode_t& a, const _reg_mode_t& b);

// Whether two key assignments play the same, each with the macros of its own snapshot.
bool SameAssignment(const KeyboardSnapshot& a, std::size_t keyA, const KeyboardSnapshot& b,
                    std::size_t keyB);

}  // namespace persist
