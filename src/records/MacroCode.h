#pragma once

#include <cstdint>
#include <type_traits>

#include "records/LittleEndian.h"

// The assignment of one key: a type nibble in bits 12-15 and a 12-bit value.
// Types 0 to 2 are direct assignments; 3 to 15 play the macro in slot `value`.
struct macro_code_t {
    static constexpr std::uint8_t FIRST_MACRO_TYPE = 3;
    static constexpr std::uint16_t VALUE_MASK = 0x0FFF;

    std::uint8_t codeBytes[2] = {};  // u16 little-endian

    // Type and value are cut to their widths (4 and 12 bits).
    static macro_code_t make(unsigned type, unsigned value);

    std::uint16_t code() const { return wire::loadU16(codeBytes); }
    void setCode(std::uint16_t value) { wire::storeU16(codeBytes, value); }

    std::uint8_t type() const { return static_cast<std::uint8_t>(code() >> 12); }
    void setType(unsigned type);
    std::uint16_t value() const { return code() & VALUE_MASK; }
    void setValue(unsigned value);

    // Any non-zero type marks the key as assigned.
    bool hasAssignment() const { return code() > VALUE_MASK; }
    bool playsMacro() const { return type() >= FIRST_MACRO_TYPE; }

    friend bool operator==(const macro_code_t&, const macro_code_t&) = default;
};

static_assert(sizeof(macro_code_t) == 2 && alignof(macro_code_t) == 1);
static_assert(std::is_trivially_copyable_v<macro_code_t> &&
              std::is_standard_layout_v<macro_code_t>);
