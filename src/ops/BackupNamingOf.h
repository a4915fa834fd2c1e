#pragma once
// The names a backup file gives the keyboard's entries: the key pictures' names and the
// program's function keys and combinations.
#include <cstddef>
#include <vector>

#include "ops/KeyPositions.h"
#include "persist/KeyboardBackup.h"
#include "records/MacroKeyLists.h"

persist::BackupNaming BackupNamingOf(const KeyPositions& colourKeys, const KeyPositions& codeKeys,
                                     const std::vector<MacroFuncKey>& functions,
                                     const std::vector<MacroCombKey>& combinations,
                                     std::size_t colourEntries, std::size_t codeEntries);
