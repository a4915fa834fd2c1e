#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// One key colour as the keyboard stores it.
struct rgba_t {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;  // kept and sent back unchanged

    // The screens' 32-bit colour: red in bits 0-7, green 8-15, blue 16-23,
    // the fourth byte in 24-31.
    constexpr std::uint32_t value() const {
        return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
               static_cast<std::uint32_t>(b) << 16 | static_cast<std::uint32_t>(a) << 24;
    }

    static constexpr rgba_t fromValue(std::uint32_t v) {
        return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    }

    friend constexpr bool operator==(const rgba_t&, const rgba_t&) = default;
};

static_assert(sizeof(rgba_t) == 4 && alignof(rgba_t) == 1);
static_assert(std::is_trivially_copyable_v<rgba_t> && std::is_standard_layout_v<rgba_t>);
static_assert(offsetof(rgba_t, r) == 0 && offsetof(rgba_t, g) == 1 && offsetof(rgba_t, b) == 2 &&
              offsetof(rgba_t, a) == 3);
