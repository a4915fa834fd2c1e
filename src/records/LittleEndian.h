#pragma once

#include <cstdint>

namespace wire {

// Multi-byte fields of the device records are kept as bytes in wire order, so
// reading them never depends on the host's byte order or alignment.
constexpr std::uint16_t loadU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

constexpr void storeU16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace wire
