#include "ops/ModeSettings.h"

#include "records/LightingSettings.h"
#include "records/ModeAttr.h"

namespace modesettings {

std::vector<std::string> Describe(std::uint16_t flags) {
    std::vector<std::string> settings;
    for (const lighting::SettingRow& row : lighting::Rows())
        if (lighting::Offers(row, flags)) settings.push_back(lighting::Describe(row, flags));
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

}  // namespace modesettings
