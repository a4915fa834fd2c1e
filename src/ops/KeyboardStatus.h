#pragma once
// What the commands know of the keyboard: a copy of the shapes the keyboard logic fills.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "records/DeviceRecords.h"

struct ModeInfo {
    std::string name;
    std::uint16_t flags = 0;  // MODE_CAP_* bits
};

struct KeyboardStatus {
    // Unanswered: the keyboard logic was still busy when the wait for it ran out.
    enum class Presence { Connected, Absent, OldFirmware, NoPermission, Unanswered };

    Presence presence = Presence::Absent;
    int productId = 0;        // of the keyboard found, 0 when none
    std::string openFailure;  // the system's reason when the keyboard is listed but not opened
    int profileCount = 0;
    int activeProfile = 0;
    std::vector<ModeInfo> modes;
    int modeIndex = 0;
    _reg_mode_t reg;    // the current mode's register in the active profile
    int colourSet = 0;  // as the keyboard numbers them, from 0
    std::vector<macro_code_t> keyCodes;
    std::vector<rgba_t> keyColours;
    std::map<int, macro_block_t> slotMacros;  // the macro of every slot a key plays

    bool connected() const { return presence == Presence::Connected; }
    const ModeInfo* currentMode() const {
        return modeIndex >= 0 && modeIndex < static_cast<int>(modes.size())
                   ? &modes[static_cast<std::size_t>(modeIndex)]
                   : nullptr;
    }
};
