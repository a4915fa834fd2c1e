#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// Lighting directions held in bits 4-5 of a mode register's settings byte.
enum : std::uint8_t {
    MODE_DIR_RIGHT = 0,
    MODE_DIR_LEFT = 1,
    MODE_DIR_UP = 2,
    MODE_DIR_DOWN = 3,
};

// The register of one lighting mode within one profile (wire layout).
struct _reg_mode_t {
    static constexpr std::uint8_t SPEED_MASK = 0x0F;
    static constexpr std::uint8_t DIRECTION_MASK = 0x30;
    static constexpr std::uint8_t RESERVED_BIT = 0x40;
    static constexpr std::uint8_t AUTO_FOREGROUND_BIT = 0x80;
    static constexpr std::uint8_t MAX_SPEED = 15;
    static constexpr std::uint8_t MAX_DIRECTION = MODE_DIR_DOWN;

    std::uint8_t foregroundBrightness = 0;
    std::uint8_t backgroundBrightness = 0;
    std::uint8_t settings = 0;        // speed, direction, reserved bit, automatic foreground
    std::uint8_t foreground[3] = {};  // r, g, b
    std::uint8_t background[3] = {};  // r, g, b

    std::uint8_t speed() const { return settings & SPEED_MASK; }
    // Values above 15 are stored as 15.
    void setSpeed(unsigned value);

    std::uint8_t direction() const { return (settings & DIRECTION_MASK) >> 4; }
    // Values above 3 are stored as 3.
    void setDirection(unsigned value);

    bool reservedBit() const { return (settings & RESERVED_BIT) != 0; }
    void setReservedBit(bool on);

    bool autoForeground() const { return (settings & AUTO_FOREGROUND_BIT) != 0; }
    void setAutoForeground(bool on);

    // Colours in the screens' 32-bit form (red in bits 0-7); the fourth byte
    // is 0 when read and ignored when written.
    std::uint32_t foregroundColor() const;
    void setForegroundColor(std::uint32_t color);
    std::uint32_t backgroundColor() const;
    void setBackgroundColor(std::uint32_t color);

    // Bit 6 of the settings byte is reserved and never compared.
    friend bool operator==(const _reg_mode_t& a, const _reg_mode_t& b);
};

static_assert(sizeof(_reg_mode_t) == 9 && alignof(_reg_mode_t) == 1);
static_assert(std::is_trivially_copyable_v<_reg_mode_t> && std::is_standard_layout_v<_reg_mode_t>);
static_assert(offsetof(_reg_mode_t, foregroundBrightness) == 0 &&
              offsetof(_reg_mode_t, backgroundBrightness) == 1 &&
              offsetof(_reg_mode_t, settings) == 2 && offsetof(_reg_mode_t, foreground) == 3 &&
              offsetof(_reg_mode_t, background) == 6);
