#include "emulator/DefaultModes.h"

#include <algorithm>
#include <cstring>

namespace {

struct ModeEntry {
    const char* name;
    std::uint16_t flags;
};

constexpr std::uint16_t kAuto = MODE_CAP_AUTO_FOREGROUND;
constexpr std::uint16_t kFg = MODE_CAP_FOREGROUND;
constexpr std::uint16_t kBg = MODE_CAP_BACKGROUND;
constexpr std::uint16_t kSpeed = MODE_CAP_SPEED;
constexpr std::uint16_t kFgLight = MODE_CAP_FOREGROUND_BRIGHTNESS;
constexpr std::uint16_t kBgLight = MODE_CAP_BACKGROUND_BRIGHTNESS;
constexpr std::uint16_t kLeftRight = MODE_CAP_DIRECTION_LEFT_RIGHT;
constexpr std::uint16_t kUpDown = MODE_CAP_DIRECTION_UP_DOWN;

constexpr ModeEntry kModes[] = {
    {"Static", kAuto | kFg | kFgLight},
    {"Breathing", kAuto | kFg | kSpeed | kFgLight},
    {"Wave", kAuto | kFg | kSpeed | kFgLight | kLeftRight},
    {"Rain", kFg | kBg | kSpeed | kFgLight | kBgLight | kUpDown},
    {"Ripple", kFg | kBg | kSpeed | kFgLight | kBgLight},
    {"Reactive", kAuto | kFg | kBg | kSpeed | kFgLight | kBgLight},
    {"Spiral", kAuto | kFg | kSpeed | kFgLight | MODE_CAP_ROTATION},
    {"Spectrum", kSpeed | kFgLight},
    {"Custom", MODE_CAP_PER_KEY},
    {"Scan", kFg | kBg | kSpeed | kFgLight | kBgLight | kLeftRight | kUpDown},
    {"Starlight", kAuto | kFg | kBg | kSpeed | kFgLight | kBgLight},
    {"Neon", kSpeed | kFgLight},
    {"Snake", kFg | kSpeed | kFgLight | kLeftRight | kUpDown},
    {"Off", 0},
};

constexpr std::uint8_t kPalette[][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                        {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
constexpr int kPaletteSize = static_cast<int>(std::size(kPalette));

}  // namespace

_mode_attr_t MakeModeAttr(std::uint16_t flags, const std::string& name) {
    _mode_attr_t attr{};
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&attr);
    bytes[0] = static_cast<std::uint8_t>(flags);
    bytes[1] = static_cast<std::uint8_t>(flags >> 8);
    std::memcpy(bytes + 2, name.data(), std::min<std::size_t>(name.size(), 59));
    return attr;
}

std::vector<_mode_attr_t> DefaultModes(int count) {
    std::vector<_mode_attr_t> modes;
    const int known = static_cast<int>(std::size(kModes));
    for (int m = 0; m < count; ++m) {
        // Beyond the built-in list the flags repeat with numbered names.
        const ModeEntry& entry = kModes[m % known];
        std::string name =
            m < known ? entry.name : std::string(entry.name) + " " + std::to_string(m);
        modes.push_back(MakeModeAttr(entry.flags, name));
    }
    return modes;
}

_reg_mode_t DefaultRegister(int profile, int mode, std::uint16_t flags) {
    _reg_mode_t reg{};
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&reg);
    bytes[0] = 200;
    bytes[1] = 60;
    std::uint8_t direction = (flags & MODE_CAP_DIRECTION_UP_DOWN) && !(flags & kLeftRight) ? 2 : 0;
    bool automatic = (flags & MODE_CAP_AUTO_FOREGROUND) && mode % 2 == 0;
    bytes[2] = static_cast<std::uint8_t>((4 + mode % 8) | direction << 4 | (automatic ? 0x80 : 0));
    std::memcpy(bytes + 3, kPalette[(mode + profile) % kPaletteSize], 3);
    std::memcpy(bytes + 6, kPalette[(mode + profile + 3) % kPaletteSize], 3);
    return reg;
}

std::vector<rgba_t> DefaultColourSet(int set, int keys) {
    std::vector<rgba_t> colours(keys);
    for (int k = 0; k < keys; ++k) {
        auto step = static_cast<std::uint8_t>(k * 255 / std::max(keys - 1, 1));
        switch (set) {
            case 0:
                colours[k] = {step, static_cast<std::uint8_t>(255 - step), 128, 0};
                break;
            case 1:
                colours[k] = {255, 255, 255, 0};
                break;
            case 2:
                colours[k] = (k / 18) % 2 ? rgba_t{0, 0, 255, 0} : rgba_t{255, 0, 0, 0};
                break;
            case 3:
                colours[k] = {0, step, 0, 0};
                break;
            default: {
                auto grey = static_cast<std::uint8_t>(set * 37);
                colours[k] = {grey, grey, grey, 0};
            }
        }
    }
    return colours;
}
