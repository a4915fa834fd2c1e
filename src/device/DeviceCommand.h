#pragma once

#include <cstdint>

// Command codes of the feature reports. A query travels as the code with kQueryFlag set, and
// the keyboard echoes it the same way.
enum DeviceCommand : std::uint8_t {
    DeviceInfo = 1,
    DeviceControl = 2,
    ModeAttributes = 3,
    ProfileMode = 4,
    ModeRegister = 5,
    ActiveProfile = 6,
    KeyColours = 7,
    ColourSet = 8,
    KeyCodes = 9,
    MacroSlot = 10,
};

inline constexpr std::uint8_t kQueryFlag = 0x80;

// Offsets of the control block written with DeviceControl.
inline constexpr std::uint32_t kControlMaskClearOffset = 8;
inline constexpr std::uint32_t kControlFactoryResetOffset = 10;
