#pragma once
#include <cstdint>

// The keys of a Linux keyboard as the low-level keyboard hook reports them: the
// input layer's key code (the X11 and Wayland key code minus 8) turned into the
// set-1 scan code, the extended (E0) flag and the virtual-key code.
struct EvdevKey {
    std::uint16_t evdev;
    std::uint8_t scan;
    bool extended;
    std::uint16_t vkey;
    // The virtual-key code of a keypad key while NumLock is off; 0 for others.
    std::uint16_t navigationVkey;
};

// Null for a code the table does not know.
const EvdevKey* FindEvdevKey(std::uint32_t evdevCode);
// With keypadNavigation the keypad's digit and dot keys answer their NumLock-off code.
std::uint16_t EvdevVirtualKey(const EvdevKey& key, bool keypadNavigation);

// Every row of the table, for checks against the key table.
const EvdevKey* EvdevKeysBegin();
const EvdevKey* EvdevKeysEnd();
