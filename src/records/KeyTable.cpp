#include "records/KeyTable.h"

#include <algorithm>
#include <array>

namespace {

// Rows 105-115 are the keypad with NumLock off (navigation codes without the
// extended flag); rows 118-119 are left Shift and Ctrl under their generic
// virtual-key codes; rows 120-122 name mouse buttons that macros read back
// from the keyboard may contain; row 123 is the ISO key beside Enter, which
// sends the backslash key's codes and its own HID usage.
constexpr std::array<KeyTableEntry, KEY_TABLE_SIZE> kKeys{{
    {0, 0xFF, 0xFF, 0x01, L"Fn"},                 // 0
    {0, 0x1B, 0x01, 0x29, L"Esc"},                // 1
    {0, 0x70, 0x3B, 0x3A, L"F1"},                 // 2
    {0, 0x71, 0x3C, 0x3B, L"F2"},                 // 3
    {0, 0x72, 0x3D, 0x3C, L"F3"},                 // 4
    {0, 0x73, 0x3E, 0x3D, L"F4"},                 // 5
    {0, 0x74, 0x3F, 0x3E, L"F5"},                 // 6
    {0, 0x75, 0x40, 0x3F, L"F6"},                 // 7
    {0, 0x76, 0x41, 0x40, L"F7"},                 // 8
    {0, 0x77, 0x42, 0x41, L"F8"},                 // 9
    {0, 0x78, 0x43, 0x42, L"F9"},                 // 10
    {0, 0x79, 0x44, 0x43, L"F10"},                // 11
    {0, 0x7A, 0x57, 0x44, L"F11"},                // 12
    {0, 0x7B, 0x58, 0x45, L"F12"},                // 13
    {1, 0x2C, 0x37, 0x46, L"PrintScreen"},        // 14
    {0, 0x91, 0x46, 0x47, L"ScrollLock"},         // 15
    {0, 0x13, 0x45, 0x48, L"Pause"},              // 16
    {0, 0xC0, 0x29, 0x35, L"~"},                  // 17
    {0, 0x31, 0x02, 0x1E, L"1"},                  // 18
    {0, 0x32, 0x03, 0x1F, L"2"},                  // 19
    {0, 0x33, 0x04, 0x20, L"3"},                  // 20
    {0, 0x34, 0x05, 0x21, L"4"},                  // 21
    {0, 0x35, 0x06, 0x22, L"5"},                  // 22
    {0, 0x36, 0x07, 0x23, L"6"},                  // 23
    {0, 0x37, 0x08, 0x24, L"7"},                  // 24
    {0, 0x38, 0x09, 0x25, L"8"},                  // 25
    {0, 0x39, 0x0A, 0x26, L"9"},                  // 26
    {0, 0x30, 0x0B, 0x27, L"0"},                  // 27
    {0, 0xBD, 0x0C, 0x2D, L"-"},                  // 28
    {0, 0xBB, 0x0D, 0x2E, L"="},                  // 29
    {0, 0x08, 0x0E, 0x2A, L"Backspace"},          // 30
    {1, 0x2D, 0x52, 0x49, L"Insert"},             // 31
    {1, 0x24, 0x47, 0x4A, L"Home"},               // 32
    {1, 0x21, 0x49, 0x4B, L"PageUp"},             // 33
    {1, 0x90, 0x45, 0x53, L"NumLock"},            // 34
    {1, 0x6F, 0x35, 0x54, L"Pad /"},              // 35
    {0, 0x6A, 0x37, 0x55, L"Pad *"},              // 36
    {0, 0x6D, 0x4A, 0x56, L"Pad -"},              // 37
    {0, 0x09, 0x0F, 0x2B, L"Tab"},                // 38
    {0, 0x51, 0x10, 0x14, L"Q"},                  // 39
    {0, 0x57, 0x11, 0x1A, L"W"},                  // 40
    {0, 0x45, 0x12, 0x08, L"E"},                  // 41
    {0, 0x52, 0x13, 0x15, L"R"},                  // 42
    {0, 0x54, 0x14, 0x17, L"T"},                  // 43
    {0, 0x59, 0x15, 0x1C, L"Y"},                  // 44
    {0, 0x55, 0x16, 0x18, L"U"},                  // 45
    {0, 0x49, 0x17, 0x0C, L"I"},                  // 46
    {0, 0x4F, 0x18, 0x12, L"O"},                  // 47
    {0, 0x50, 0x19, 0x13, L"P"},                  // 48
    {0, 0xDB, 0x1A, 0x2F, L"["},                  // 49
    {0, 0xDD, 0x1B, 0x30, L"]"},                  // 50
    {0, 0xDC, 0x2B, 0x31, L"\\"},                 // 51
    {1, 0x2E, 0x53, 0x4C, L"Delete"},             // 52
    {1, 0x23, 0x4F, 0x4D, L"End"},                // 53
    {1, 0x22, 0x51, 0x4E, L"PageDown"},           // 54
    {0, 0x67, 0x47, 0x5F, L"Pad 7"},              // 55
    {0, 0x68, 0x48, 0x60, L"Pad 8"},              // 56
    {0, 0x69, 0x49, 0x61, L"Pad 9"},              // 57
    {0, 0x6B, 0x4E, 0x57, L"Pad +"},              // 58
    {0, 0x14, 0x3A, 0x39, L"CapsLock"},           // 59
    {0, 0x41, 0x1E, 0x04, L"A"},                  // 60
    {0, 0x53, 0x1F, 0x16, L"S"},                  // 61
    {0, 0x44, 0x20, 0x07, L"D"},                  // 62
    {0, 0x46, 0x21, 0x09, L"F"},                  // 63
    {0, 0x47, 0x22, 0x0A, L"G"},                  // 64
    {0, 0x48, 0x23, 0x0B, L"H"},                  // 65
    {0, 0x4A, 0x24, 0x0D, L"J"},                  // 66
    {0, 0x4B, 0x25, 0x0E, L"K"},                  // 67
    {0, 0x4C, 0x26, 0x0F, L"L"},                  // 68
    {0, 0xBA, 0x27, 0x33, L";"},                  // 69
    {0, 0xDE, 0x28, 0x34, L"'"},                  // 70
    {0, 0x0D, 0x1C, 0x28, L"Enter"},              // 71
    {0, 0x64, 0x4B, 0x5C, L"Pad 4"},              // 72
    {0, 0x65, 0x4C, 0x5D, L"Pad 5"},              // 73
    {0, 0x66, 0x4D, 0x5E, L"Pad 6"},              // 74
    {0, 0xA0, 0x2A, 0xE1, L"ShiftLeft"},          // 75
    {0, 0x5A, 0x2C, 0x1D, L"Z"},                  // 76
    {0, 0x58, 0x2D, 0x1B, L"X"},                  // 77
    {0, 0x43, 0x2E, 0x06, L"C"},                  // 78
    {0, 0x56, 0x2F, 0x19, L"V"},                  // 79
    {0, 0x42, 0x30, 0x05, L"B"},                  // 80
    {0, 0x4E, 0x31, 0x11, L"N"},                  // 81
    {0, 0x4D, 0x32, 0x10, L"M"},                  // 82
    {0, 0xBC, 0x33, 0x36, L","},                  // 83
    {0, 0xBE, 0x34, 0x37, L"."},                  // 84
    {0, 0xBF, 0x35, 0x38, L"/"},                  // 85
    {1, 0xA1, 0x36, 0xE5, L"ShiftRight"},         // 86
    {1, 0x26, 0x48, 0x52, L"ArrowUp"},            // 87
    {0, 0x61, 0x4F, 0x59, L"Pad 1"},              // 88
    {0, 0x62, 0x50, 0x5A, L"Pad 2"},              // 89
    {0, 0x63, 0x51, 0x5B, L"Pad 3"},              // 90
    {1, 0x0D, 0x1C, 0x58, L"Pad Enter"},          // 91
    {0, 0xA2, 0x1D, 0xE0, L"CtrlLeft"},           // 92
    {1, 0x5B, 0x5B, 0xE3, L"WinLeft"},            // 93
    {0, 0xA4, 0x38, 0xE2, L"AltLeft"},            // 94
    {0, 0x20, 0x39, 0x2C, L"SpaceBar"},           // 95
    {1, 0xA5, 0x38, 0xE6, L"AltRight"},           // 96
    {1, 0x5C, 0x5C, 0xE7, L"WinRight"},           // 97
    {1, 0x5D, 0x5D, 0x65, L"App"},                // 98
    {1, 0xA3, 0x1D, 0xE4, L"CtrlRight"},          // 99
    {1, 0x25, 0x4B, 0x50, L"ArrowLeft"},          // 100
    {1, 0x28, 0x50, 0x51, L"ArrowDown"},          // 101
    {1, 0x27, 0x4D, 0x4F, L"ArrowRight"},         // 102
    {0, 0x60, 0x52, 0x62, L"Pad 0"},              // 103
    {0, 0x6E, 0x53, 0x63, L"Pad ."},              // 104
    {0, 0x2D, 0x52, 0x62, L"Insert/Pad 0"},       // 105
    {0, 0x24, 0x47, 0x5F, L"Home/Pad 7"},         // 106
    {0, 0x21, 0x49, 0x61, L"PageUp/Pad 9"},       // 107
    {0, 0x2E, 0x53, 0x63, L"Delete/Pad ."},       // 108
    {0, 0x23, 0x4F, 0x59, L"End/Pad 1"},          // 109
    {0, 0x22, 0x51, 0x5B, L"PageDown/Pad 3"},     // 110
    {0, 0x26, 0x48, 0x60, L"ArrowUp/Pad 8"},      // 111
    {0, 0x25, 0x4B, 0x5C, L"ArrowLeft/Pad 4"},    // 112
    {0, 0x28, 0x50, 0x5A, L"ArrowDown/Pad 2"},    // 113
    {0, 0x27, 0x4D, 0x5E, L"ArrowRight/Pad 6"},   // 114
    {0, 0x0C, 0x4C, 0x5D, L"Clear/Pad 5"},        // 115
    {0, 0xE2, 0x56, 0x64, L"ISO\\"},              // 116
    {0, 0xC1, 0x73, 0x87, L"K56"},                // 117
    {0, 0x10, 0x2A, 0xE1, L"ShiftLeft"},          // 118
    {0, 0x11, 0x1D, 0xE0, L"CtrlLeft"},           // 119
    {1, 0xFE, 0xFE, 0xA5, L"mouse left lick"},    // 120
    {1, 0xFD, 0xFD, 0xA6, L"mouse center lick"},  // 121
    {1, 0xFC, 0xFC, 0xA7, L"mouse right lick"},   // 122
    {0, 0xDC, 0x2B, 0x32, L"ISO#"},               // 123
}};

constexpr KeyTableEntry kEmpty{0, 0, 0, 0, L""};

template <typename Match>
const KeyTableEntry& findFirst(Match match) {
    const auto found = std::find_if(kKeys.begin(), kKeys.end(), match);
    return found == kKeys.end() ? kEmpty : *found;
}

}  // namespace

std::span<const KeyTableEntry, KEY_TABLE_SIZE> KeyTableEntries() {
    return kKeys;
}

const KeyTableEntry& EmptyKeyEntry() {
    return kEmpty;
}

const KeyTableEntry& FindKeyByVirtualKey(std::uint32_t vkey, std::uint32_t extended) {
    const auto wanted = static_cast<std::uint16_t>(vkey & 0xFFFF);
    const auto flag = static_cast<std::uint16_t>(extended & 1);
    return findFirst(
        [&](const KeyTableEntry& e) { return e.vkey == wanted && e.extended == flag; });
}

const KeyTableEntry& FindKeyByCode(std::uint32_t code) {
    const std::uint32_t scan = code & ~std::uint32_t{KeyTableEntry::EXTENDED_CODE_BIT};
    const std::uint16_t flag = (code & KeyTableEntry::EXTENDED_CODE_BIT) ? 1 : 0;
    return findFirst([&](const KeyTableEntry& e) { return e.scan == scan && e.extended == flag; });
}

const KeyTableEntry& FindKeyByUsage(std::uint32_t usage) {
    return findFirst([&](const KeyTableEntry& e) { return e.usage == usage; });
}
