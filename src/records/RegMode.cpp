#include "records/RegMode.h"

#include <algorithm>
#include <cstring>

namespace {

void setBits(std::uint8_t& byte, std::uint8_t mask, std::uint8_t bits) {
    byte = static_cast<std::uint8_t>((byte & ~mask) | (bits & mask));
}

std::uint32_t packColor(const std::uint8_t (&rgb)[3]) {
    return static_cast<std::uint32_t>(rgb[0]) | static_cast<std::uint32_t>(rgb[1]) << 8 |
           static_cast<std::uint32_t>(rgb[2]) << 16;
}

void unpackColor(std::uint8_t (&rgb)[3], std::uint32_t color) {
    rgb[0] = static_cast<std::uint8_t>(color);
    rgb[1] = static_cast<std::uint8_t>(color >> 8);
    rgb[2] = static_cast<std::uint8_t>(color >> 16);
}

}  // namespace

void _reg_mode_t::setSpeed(unsigned value) {
    setBits(settings, SPEED_MASK, static_cast<std::uint8_t>(std::min<unsigned>(value, MAX_SPEED)));
}

void _reg_mode_t::setDirection(unsigned value) {
    const auto direction = static_cast<std::uint8_t>(std::min<unsigned>(value, MAX_DIRECTION));
    setBits(settings, DIRECTION_MASK, static_cast<std::uint8_t>(direction << 4));
}

void _reg_mode_t::setReservedBit(bool on) {
    setBits(settings, RESERVED_BIT, on ? RESERVED_BIT : 0);
}

void _reg_mode_t::setAutoForeground(bool on) {
    setBits(settings, AUTO_FOREGROUND_BIT, on ? AUTO_FOREGROUND_BIT : 0);
}

std::uint32_t _reg_mode_t::foregroundColor() const {
    return packColor(foreground);
}
void _reg_mode_t::setForegroundColor(std::uint32_t color) {
    unpackColor(foreground, color);
}
std::uint32_t _reg_mode_t::backgroundColor() const {
    return packColor(background);
}
void _reg_mode_t::setBackgroundColor(std::uint32_t color) {
    unpackColor(background, color);
}

bool operator==(const _reg_mode_t& a, const _reg_mode_t& b) {
    constexpr auto compared = static_cast<std::uint8_t>(~_reg_mode_t::RESERVED_BIT);
    return a.foregroundBrightness == b.foregroundBrightness &&
           a.backgroundBrightness == b.backgroundBrightness &&
           (a.settings & compared) == (b.settings & compared) &&
           std::memcmp(a.foreground, b.foreground, sizeof a.foreground) == 0 &&
           std::memcmp(a.background, b.background, sizeof a.background) == 0;
}
