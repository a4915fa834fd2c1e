#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>

// A record's bytes as they travel in a feature report.
template <typename T>
std::array<std::uint8_t, sizeof(T)> wireBytes(const T& record) {
    std::array<std::uint8_t, sizeof(T)> bytes{};
    std::memcpy(bytes.data(), &record, sizeof(T));
    return bytes;
}

// A record received as bytes; `at` is the offset of the first given byte, the
// rest is zero.
template <typename T>
T fromWire(std::initializer_list<std::uint8_t> bytes, std::size_t at = 0) {
    std::array<std::uint8_t, sizeof(T)> raw{};
    std::size_t i = at;
    for (std::uint8_t b : bytes) raw.at(i++) = b;
    T record;
    std::memcpy(&record, raw.data(), sizeof(T));
    return record;
}
