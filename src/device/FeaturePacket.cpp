#include "device/FeaturePacket.h"

#include <cstring>

void FeaturePacket::ToReport(std::uint8_t* report) const {
    report[0] = 0;
    std::uint8_t* p = report + 1;
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(offset >> (8 * i));
    p[4] = static_cast<std::uint8_t>(length);
    p[5] = static_cast<std::uint8_t>(length >> 8);
    p[6] = command;
    p[7] = sub;
    std::memcpy(p + kFeatureHeaderSize, data, kFeatureDataSize);
}

FeaturePacket FeaturePacket::FromReport(const std::uint8_t* report) {
    const std::uint8_t* p = report + 1;
    FeaturePacket packet;
    for (int i = 0; i < 4; ++i) packet.offset |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    packet.length = static_cast<std::uint16_t>(p[4] | p[5] << 8);
    packet.command = p[6];
    packet.sub = p[7];
    std::memcpy(packet.data, p + kFeatureHeaderSize, kFeatureDataSize);
    return packet;
}
