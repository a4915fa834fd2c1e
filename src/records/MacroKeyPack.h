#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/LittleEndian.h"
#include "records/MacroBlock.h"

// One key-assignment request: which key, what type of assignment, the direct
// value and, for macro types, the macro to download (wire layout).
struct macrokey_pack_t {
    std::uint8_t typeBytes[2] = {};  // u16 little-endian
    std::uint8_t keyBytes[2] = {};   // u16 little-endian, index in the key-code table
    std::uint8_t codeBytes[2] = {};  // u16 little-endian, low 12 bits used
    macro_block_t macro;
    std::uint8_t padding = 0;

    std::uint16_t type() const { return wire::loadU16(typeBytes); }
    void setType(std::uint16_t value) { wire::storeU16(typeBytes, value); }
    std::uint16_t key() const { return wire::loadU16(keyBytes); }
    void setKey(std::uint16_t value) { wire::storeU16(keyBytes, value); }
    std::uint16_t code() const { return wire::loadU16(codeBytes); }
    void setCode(std::uint16_t value) { wire::storeU16(codeBytes, value); }

    // Every field but the padding byte; the macro as macro_block_t compares.
    friend bool operator==(const macrokey_pack_t& a, const macrokey_pack_t& b);
};

static_assert(sizeof(macrokey_pack_t) == 374 && alignof(macrokey_pack_t) == 1);
static_assert(std::is_trivially_copyable_v<macrokey_pack_t> &&
              std::is_standard_layout_v<macrokey_pack_t>);
static_assert(offsetof(macrokey_pack_t, typeBytes) == 0 &&
              offsetof(macrokey_pack_t, keyBytes) == 2 &&
              offsetof(macrokey_pack_t, codeBytes) == 4 && offsetof(macrokey_pack_t, macro) == 6 &&
              offsetof(macrokey_pack_t, padding) == 373);
