#include "persist/BackupColourSets.h"

#include <cstdio>
#include <limits>

namespace persist {
namespace {

using namespace backup_json;

// The fourth byte has no use on screen but the keyboard gets it back; it shows only when set.
std::string EntryText(const rgba_t& colour) {
    std::string text = ColourText({colour.r, colour.g, colour.b});
    if (colour.a != 0) {
        char alpha[3];
        std::snprintf(alpha, sizeof alpha, "%02X", colour.a);
        text += alpha;
    }
    return text;
}

rgba_t EntryColour(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    if (text == nullptr || !IsHexAfter(*text, "#", 8)) {
        const Rgb rgb = Colour(value, path);
        return {rgb[0], rgb[1], rgb[2], 0};
    }
    const Rgb rgb = Colour(Json(text->substr(0, 7)), path);
    const auto alpha = static_cast<std::uint8_t>(std::stoul(text->substr(7), nullptr, 16));
    return {rgb[0], rgb[1], rgb[2], alpha};
}

std::vector<rgba_t> ReadSet(const Json& value, const std::string& path,
                            const BackupEntryNames& keys) {
    std::vector<rgba_t> set(keys.size());
    keys.ReadEach(value, path,
                  [&](std::size_t entry, const Json& colour, const std::string& place) {
                      set[entry] = EntryColour(colour, place);
                  });
    return set;
}

}  // namespace

Json WriteColourSets(const KeyboardSnapshot& keyboard, const BackupEntryNames& keys) {
    Json sets = Json::array();
    for (const std::vector<rgba_t>& set : keyboard.colourSets) {
        Json entries = Json::object();
        for (std::size_t i = 0; i < set.size(); ++i) entries[keys.Label(i)] = EntryText(set[i]);
        sets.push_back(std::move(entries));
    }
    return {{"active", keyboard.activeColourSet}, {"sets", std::move(sets)}};
}

void ReadColourSets(const Json& value, const std::string& path, const BackupEntryNames& keys,
                    KeyboardSnapshot& keyboard) {
    Object(value, path);
    const std::string setsPath = path + "/sets";
    const Json& sets = Array(Member(value, path, "sets"), setsPath);
    keyboard.colourSets.clear();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        keyboard.colourSets.push_back(ReadSet(sets[i], setsPath + "/" + std::to_string(i), keys));
    }
    const auto last = std::max<std::int64_t>(static_cast<std::int64_t>(sets.size()) - 1, 0);
    keyboard.activeColourSet =
        static_cast<int>(WholeNumber(Member(value, path, "active"), path + "/active", 0, last));
}

}  // namespace persist
