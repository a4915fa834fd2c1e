#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// One step of a macro stored on the keyboard: a HID usage, a 15-bit delay and
// a state bit (0 key down, 1 key up) in the top bit of the last byte.
struct macro_step_t {
    static constexpr std::uint16_t MAX_DELAY = 0x7FFF;
    static constexpr std::uint8_t STATE_BIT = 0x80;
    static constexpr unsigned KEY_DOWN = 0;
    static constexpr unsigned KEY_UP = 1;

    std::uint8_t key = 0;
    std::uint8_t delayLow = 0;
    std::uint8_t delayHighAndState = 0;

    static macro_step_t make(std::uint8_t key, unsigned delay, unsigned state);

    std::uint16_t delay() const {
        return static_cast<std::uint16_t>(delayLow | (delayHighAndState & ~STATE_BIT) << 8);
    }
    // Delays past 32767 ms cannot be represented and are stored as 32767.
    void setDelay(unsigned delay);

    std::uint8_t state() const { return (delayHighAndState & STATE_BIT) ? 1 : 0; }
    // Only bit 0 of the state is kept.
    void setState(unsigned state);

    friend bool operator==(const macro_step_t&, const macro_step_t&) = default;
};

static_assert(sizeof(macro_step_t) == 3 && alignof(macro_step_t) == 1);
static_assert(std::is_trivially_copyable_v<macro_step_t> &&
              std::is_standard_layout_v<macro_step_t>);
static_assert(offsetof(macro_step_t, key) == 0 && offsetof(macro_step_t, delayLow) == 1 &&
              offsetof(macro_step_t, delayHighAndState) == 2);
