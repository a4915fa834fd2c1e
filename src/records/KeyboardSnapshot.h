#pragma once
// Everything the keyboard keeps on board, as one value: what an export reads and an import
// restores. The records are the keyboard's own bytes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "records/DeviceRecords.h"

struct KeyboardSnapshot {
    struct Profile {
        int activeMode = 0;
        std::vector<_reg_mode_t> registers;  // by mode, in the keyboard's order of modes
        friend bool operator==(const Profile&, const Profile&) = default;
    };

    std::uint16_t productId = 0;
    std::vector<std::string> modeNames;  // the keyboard's modes, in its order
    std::vector<Profile> profiles;
    int activeProfile = 0;
    std::vector<std::vector<rgba_t>> colourSets;  // each: every key colour entry
    int activeColourSet = 0;
    std::vector<macro_code_t> keyCodes;
    // The macro of every slot a key plays, by slot.
    std::map<int, macro_block_t> macros;

    friend bool operator==(const KeyboardSnapshot&, const KeyboardSnapshot&) = default;
};
