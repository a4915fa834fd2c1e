#pragma once
// The key names the backup fuzz targets read with: as a keyboard picture gives them, a doubled
// one and gaps included.
#include "persist/KeyboardBackup.h"

namespace fuzzing {

inline persist::BackupNaming Naming() {
    persist::BackupNaming naming;
    naming.colourKeys = {"Esc", "F1", "A", "", "\\", "\\"};
    naming.codeKeys = {"", "F1", "F2", "A", "", "\\", "\\"};
    naming.functions = {{"Mute", 226}, {"Volume up", 233}};
    return naming;
}

}  // namespace fuzzing
