#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/FixedText.h"
#include "records/LittleEndian.h"

// Capability bits of a lighting mode: which settings the mode takes.
inline constexpr std::uint16_t MODE_CAP_AUTO_FOREGROUND = 0x0002;
inline constexpr std::uint16_t MODE_CAP_FOREGROUND = 0x0004;
inline constexpr std::uint16_t MODE_CAP_BACKGROUND = 0x0008;
inline constexpr std::uint16_t MODE_CAP_PER_KEY = 0x0010;
inline constexpr std::uint16_t MODE_CAP_SPEED = 0x0020;
inline constexpr std::uint16_t MODE_CAP_FOREGROUND_BRIGHTNESS = 0x0040;
inline constexpr std::uint16_t MODE_CAP_BACKGROUND_BRIGHTNESS = 0x0080;
inline constexpr std::uint16_t MODE_CAP_DIRECTION_LEFT_RIGHT = 0x0100;
inline constexpr std::uint16_t MODE_CAP_DIRECTION_UP_DOWN = 0x0200;
inline constexpr std::uint16_t MODE_CAP_ROTATION = 0x0400;

// Description of one lighting mode as the keyboard reports it (wire layout).
// A flags value of 0 means the mode has no settings at all.
struct _mode_attr_t {
    std::uint8_t flagBytes[2] = {};  // u16 little-endian, MODE_CAP_* bits
    wire::FixedText<60> name;

    std::uint16_t flags() const { return wire::loadU16(flagBytes); }
    void setFlags(std::uint16_t value) { wire::storeU16(flagBytes, value); }
    bool has(std::uint16_t capability) const { return (flags() & capability) != 0; }

    friend bool operator==(const _mode_attr_t&, const _mode_attr_t&) = default;
};

static_assert(sizeof(_mode_attr_t) == 62 && alignof(_mode_attr_t) == 1);
static_assert(std::is_trivially_copyable_v<_mode_attr_t> &&
              std::is_standard_layout_v<_mode_attr_t>);
static_assert(offsetof(_mode_attr_t, flagBytes) == 0 && offsetof(_mode_attr_t, name) == 2);
