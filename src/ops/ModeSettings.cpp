#include "ops/ModeSettings.h"

#include "records/ModeAttr.h"

namespace modesettings {

namespace {

std::string Directions(std::uint16_t flags) {
    std::string names;
    auto add = [&names](const char* name) {
        if (!names.empty()) names += ", ";
        names += name;
    };
    if (flags & MODE_CAP_ROTATION) {
        add("clockwise");
        add("anticlockwise");
    } else {
        if (flags & MODE_CAP_DIRECTION_LEFT_RIGHT) {
            add("left");
            add("right");
        }
        if (flags & MODE_CAP_DIRECTION_UP_DOWN) {
            add("up");
            add("down");
        }
    }
    return names;
}

}  // namespace

std::vector<std::string> Describe(std::uint16_t flags) {
    std::vector<std::string> settings;
    if (flags & MODE_CAP_FOREGROUND_BRIGHTNESS) settings.push_back("brightness");
    if (flags & MODE_CAP_BACKGROUND_BRIGHTNESS) settings.push_back("background-brightness");
    if (flags & MODE_CAP_SPEED) settings.push_back("speed");
    if (flags & (MODE_CAP_ROTATION | MODE_CAP_DIRECTION_LEFT_RIGHT | MODE_CAP_DIRECTION_UP_DOWN))
        settings.push_back("direction (" + Directions(flags) + ")");
    if (flags & MODE_CAP_FOREGROUND)
        settings.push_back(flags & MODE_CAP_AUTO_FOREGROUND ? "colour (RRGGBB or auto)"
                                                            : "colour (RRGGBB)");
    if (flags & MODE_CAP_BACKGROUND) settings.push_back("background-colour");
    if (flags & MODE_CAP_PER_KEY) {
        settings.push_back("colour-set");
        settings.push_back("per-key colours (paint)");
    }
    return settings;
}

std::string Line(std::uint16_t flags) {
    std::string line;
    for (const std::string& setting : Describe(flags)) {
        if (!line.empty()) line += ", ";
        line += setting;
    }
    return line.empty() ? "no settings" : line;
}

bool Takes(std::uint16_t flags, LightDirection direction) {
    switch (direction) {
        case LightDirection::Left:
        case LightDirection::Right:
            return (flags & MODE_CAP_DIRECTION_LEFT_RIGHT) && !(flags & MODE_CAP_ROTATION);
        case LightDirection::Up:
        case LightDirection::Down:
            return (flags & MODE_CAP_DIRECTION_UP_DOWN) && !(flags & MODE_CAP_ROTATION);
        case LightDirection::Clockwise:
        case LightDirection::Anticlockwise:
            return (flags & MODE_CAP_ROTATION) != 0;
    }
    return false;
}

}  // namespace modesettings
