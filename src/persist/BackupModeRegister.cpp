#include "persist/BackupModeRegister.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace persist {
namespace {

using namespace backup_json;

// In the order of the register's direction values.
constexpr std::array<const char*, 4> kDirections = {"right", "left", "up", "down"};

unsigned Direction(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    const auto it = text == nullptr ? kDirections.end()
                                    : std::find_if(kDirections.begin(), kDirections.end(),
                                                   [&](const char* name) { return *text == name; });
    if (it == kDirections.end()) {
        throw BackupRefusal{{path, "not one of right, left, up, down"}};
    }
    return static_cast<unsigned>(std::distance(kDirections.begin(), it));
}

Rgb ToRgb(const std::uint8_t (&bytes)[3]) {
    return {bytes[0], bytes[1], bytes[2]};
}

void FromRgb(const Rgb& colour, std::uint8_t (&bytes)[3]) {
    std::copy(colour.begin(), colour.end(), bytes);
}

}  // namespace

Json WriteModeRegister(const _reg_mode_t& reg) {
    return {{"foregroundBrightness", reg.foregroundBrightness},
            {"backgroundBrightness", reg.backgroundBrightness},
            {"speed", reg.speed()},
            {"direction", kDirections[reg.direction()]},
            {"autoForeground", reg.autoForeground()},
            {"reservedBit", reg.reservedBit()},
            {"foreground", ColourText(ToRgb(reg.foreground))},
            {"background", ColourText(ToRgb(reg.background))}};
}

_reg_mode_t ReadModeRegister(const Json& value, const std::string& path) {
    Object(value, path);
    const auto field = [&](const char* name) -> const Json& { return Member(value, path, name); };
    const auto place = [&](const char* name) { return path + "/" + name; };
    _reg_mode_t reg;
    reg.foregroundBrightness = static_cast<std::uint8_t>(
        WholeNumber(field("foregroundBrightness"), place("foregroundBrightness"), 0, 255));
    reg.backgroundBrightness = static_cast<std::uint8_t>(
        WholeNumber(field("backgroundBrightness"), place("backgroundBrightness"), 0, 255));
    reg.setSpeed(static_cast<unsigned>(
        WholeNumber(field("speed"), place("speed"), 0, _reg_mode_t::MAX_SPEED)));
    reg.setDirection(Direction(field("direction"), place("direction")));
    reg.setAutoForeground(Boolean(field("autoForeground"), place("autoForeground")));
    reg.setReservedBit(Boolean(field("reservedBit"), place("reservedBit")));
    FromRgb(Colour(field("foreground"), place("foreground")), reg.foreground);
    FromRgb(Colour(field("background"), place("background")), reg.background);
    return reg;
}

}  // namespace persist
