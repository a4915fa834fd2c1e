#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/LittleEndian.h"

// The keyboard's information block. Only three counts are interpreted; every
// other byte is kept as read.
struct keyboard_info_t {
    static constexpr std::size_t SIZE = 90;
    static constexpr std::size_t PROFILE_COUNT_OFFSET = 78;
    static constexpr std::size_t MODE_COUNT_OFFSET = 80;
    static constexpr std::size_t MACRO_SLOT_COUNT_OFFSET = 84;

    std::uint8_t bytes[SIZE] = {};

    std::uint16_t profileCount() const { return wire::loadU16(bytes + PROFILE_COUNT_OFFSET); }
    void setProfileCount(std::uint16_t n) { wire::storeU16(bytes + PROFILE_COUNT_OFFSET, n); }
    std::uint16_t modeCount() const { return wire::loadU16(bytes + MODE_COUNT_OFFSET); }
    void setModeCount(std::uint16_t n) { wire::storeU16(bytes + MODE_COUNT_OFFSET, n); }
    std::uint16_t macroSlotCount() const { return wire::loadU16(bytes + MACRO_SLOT_COUNT_OFFSET); }
    void setMacroSlotCount(std::uint16_t n) { wire::storeU16(bytes + MACRO_SLOT_COUNT_OFFSET, n); }

    friend bool operator==(const keyboard_info_t&, const keyboard_info_t&) = default;
};

static_assert(sizeof(keyboard_info_t) == 90 && alignof(keyboard_info_t) == 1);
static_assert(std::is_trivially_copyable_v<keyboard_info_t> &&
              std::is_standard_layout_v<keyboard_info_t>);
