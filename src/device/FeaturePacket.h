#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kFeatureReportSize = 521;  // report id 0, then one packet
inline constexpr std::size_t kFeaturePacketSize = 520;
inline constexpr std::size_t kFeatureHeaderSize = 8;
inline constexpr std::size_t kFeatureDataSize = 512;

// The payload of every feature report. On the wire the fields are little-endian; ToReport and
// FromReport do the conversion, so the struct itself is free of byte-order concerns.
struct FeaturePacket {
    std::uint32_t offset = 0;  // position of this chunk within the whole transfer
    std::uint16_t length = 0;  // data bytes this chunk carries
    std::uint8_t command = 0;  // DeviceCommand, bit 7 set for a query and its answer
    std::uint8_t sub = 0;      // profile, mode, slot or set number
    std::uint8_t data[kFeatureDataSize] = {};

    // Writes report id 0 and the packet into report[0..kFeatureReportSize).
    void ToReport(std::uint8_t* report) const;
    // Reads the packet from report[1..kFeatureReportSize).
    static FeaturePacket FromReport(const std::uint8_t* report);
};

static_assert(sizeof(FeaturePacket) == kFeaturePacketSize);
