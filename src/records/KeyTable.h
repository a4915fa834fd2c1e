#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One key in the three code spaces the program meets: the virtual-key code the
// keyboard hook reports, the set-1 scan code (with the extended flag) stored
// as a step's key code, and the HID usage the keyboard receives.
struct KeyTableEntry {
    std::uint16_t extended;  // 1 for an E0-prefixed key
    std::uint16_t vkey;
    std::uint16_t scan;  // without the E0 prefix
    std::uint16_t usage;
    std::wstring_view name;

    static constexpr std::uint16_t EXTENDED_CODE_BIT = 0x100;

    // The key code: scan in bits 0-7, plus 0x100 for an extended key.
    constexpr std::uint16_t code() const {
        return static_cast<std::uint16_t>(scan + (extended ? EXTENDED_CODE_BIT : 0));
    }
    constexpr bool isEmpty() const { return vkey == 0 && scan == 0 && usage == 0 && name.empty(); }
};

inline constexpr std::size_t KEY_TABLE_SIZE = 124;

// The keys in lookup order; some keys appear twice and the first wins.
std::span<const KeyTableEntry, KEY_TABLE_SIZE> KeyTableEntries();

// All numbers 0 and an empty name: the answer when no key matches.
const KeyTableEntry& EmptyKeyEntry();

// The first key with the low 16 bits of vkey and bit 0 of extended (the hook
// event's flags may be passed as they are).
const KeyTableEntry& FindKeyByVirtualKey(std::uint32_t vkey, std::uint32_t extended);

// The first key whose code() equals code.
const KeyTableEntry& FindKeyByCode(std::uint32_t code);

// The first key sending this HID usage.
const KeyTableEntry& FindKeyByUsage(std::uint32_t usage);
