#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "records/DeviceRecords.h"

inline constexpr int kKeyColourCount = 108;
inline constexpr int kKeyCodeCount = 109;
inline constexpr std::size_t kControlBlockSize = 16;

using KeyColourSet = std::array<rgba_t, kKeyColourCount>;
using KeyCodeTable = std::array<macro_code_t, kKeyCodeCount>;
static_assert(sizeof(KeyColourSet) == 432 && sizeof(KeyCodeTable) == 218);

// How big the emulated keyboard's memory is. Counts are kept within what the one-byte sub of a
// report can address.
struct KeyboardShape {
    int profiles = 3;
    int modes = 14;
    int colourSets = 4;
    int macroSlots = 16;

    // The same shape with every count clamped to 1..255 (registers to 256 in all).
    KeyboardShape Clamped() const;
    friend bool operator==(const KeyboardShape&, const KeyboardShape&) = default;
};

// Everything the keyboard keeps on board, in its wire records.
struct KeyboardState {
    KeyboardShape shape;
    keyboard_info_t info;
    std::vector<_mode_attr_t> modes;
    std::vector<_reg_mode_t> registers;  // profile-major: profile * modes + mode
    std::vector<std::uint8_t> profileModes;
    std::uint8_t activeProfile = 0;
    std::vector<KeyColourSet> colourSets;
    std::uint8_t selectedColourSet = 0;
    KeyCodeTable keyCodes = {};
    std::vector<macro_block_t> macroSlots;
    std::array<std::uint8_t, kControlBlockSize> control = {};
    std::uint16_t masks = 0;  // cleared bit by bit through the control block

    // The factory settings of a keyboard of this shape.
    static KeyboardState Defaults(const KeyboardShape& shape = {});

    _reg_mode_t& Register(int profile, int mode) { return registers[profile * shape.modes + mode]; }
    const _reg_mode_t& Register(int profile, int mode) const {
        return registers[profile * shape.modes + mode];
    }

    // Whether every index points into its table (what a loaded state must satisfy).
    bool Consistent() const;
};

// Byte view of a wire record or a table of them.
template <class T>
std::uint8_t* BytesOf(T& value) {
    return reinterpret_cast<std::uint8_t*>(&value);
}
template <class T>
const std::uint8_t* BytesOf(const T& value) {
    return reinterpret_cast<const std::uint8_t*>(&value);
}
