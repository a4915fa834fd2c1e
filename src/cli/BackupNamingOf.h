#pragma once
// The names a backup file gives the keyboard's entries: the key pictures' names and the
// program's function keys.
#include <cstddef>
#include <vector>

#include "cli/KeyPositions.h"
#include "persist/KeyboardBackup.h"
#include "records/MacroKeyLists.h"

persist::BackupNaming BackupNamingOf(const KeyPositions& colourKeys, const KeyPositions& codeKeys,
                                     const std::vector<MacroFuncKey>& functions,
                                     std::size_t colourEntries, std::size_t codeEntries);
