#include "ops/SettingText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace settingtext {

namespace {

constexpr std::array<std::pair<std::string_view, LightDirection>, 6> kDirections{{
    {"right", LightDirection::Right},
    {"left", LightDirection::Left},
    {"up", LightDirection::Up},
    {"down", LightDirection::Down},
    {"clockwise", LightDirection::Clockwise},
    {"anticlockwise", LightDirection::Anticlockwise},
}};

constexpr std::array<std::pair<std::string_view, AssignKind>, 5> kAssignKinds{{
    {"key", AssignKind::Key},
    {"function", AssignKind::Function},
    {"combination", AssignKind::Combination},
    {"macro", AssignKind::Macro},
    {"clear", AssignKind::Clear},
}};

// Lookups in the tables of names above.
template <class Table>
auto ValueNamed(const Table& table, std::string_view text)
    -> std::optional<typename Table::value_type::second_type> {
    for (const auto& [name, value] : table)
        if (name == text) return value;
    return std::nullopt;
}

template <class Table, class Value>
std::string_view NameOf(const Table& table, Value wanted) {
    for (const auto& [name, value] : table)
        if (value == wanted) return name;
    return {};
}

std::string Range(int low, int high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

std::optional<std::string> NumberInto(std::optional<int>& field, std::string_view name,
                                      std::string_view value, int low, int high) {
    field = Number(value, low, high);
    if (field) return std::nullopt;
    return "--" + std::string(name) + " takes a whole number from " + Range(low, high) +
           ", not \"" + std::string(value) + "\"";
}

std::optional<std::string> ColourInto(std::optional<std::uint32_t>& field, std::string_view name,
                                      std::string_view value) {
    field = Colour(value);
    if (field) return std::nullopt;
    return "--" + std::string(name) + " takes a colour as RRGGBB in hexadecimal, not \"" +
           std::string(value) + "\"";
}

}  // namespace

const std::vector<std::string_view>& SettingNames() {
    static const std::vector<std::string_view> names{
        "profile",   "mode",      "brightness", "background-brightness",
        "speed",     "direction", "colour",     "background-colour",
        "colour-set"};
    return names;
}

std::optional<int> Number(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<std::uint32_t> Colour(std::string_view text) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

std::string ColourText(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return text;
}

std::optional<LightDirection> Direction(std::string_view text) {
    return ValueNamed(kDirections, text);
}

std::string_view DirectionName(LightDirection direction) {
    return NameOf(kDirections, direction);
}

std::optional<AssignKind> AssignKindByName(std::string_view text) {
    return ValueNamed(kAssignKinds, text);
}

std::string_view AssignKindName(AssignKind kind) {
    return NameOf(kAssignKinds, kind);
}

std::vector<std::pair<std::string, std::string>> ToTexts(const SetRequest& request) {
    std::vector<std::pair<std::string, std::string>> texts;
    auto number = [&texts](const char* name, const std::optional<int>& value) {
        if (value) texts.emplace_back(name, std::to_string(*value));
    };
    number("profile", request.profile);
    if (request.mode) texts.emplace_back("mode", *request.mode);
    number("brightness", request.brightness);
    number("background-brightness", request.backgroundBrightness);
    number("speed", request.speed);
    if (request.direction) texts.emplace_back("direction", DirectionName(*request.direction));
    if (request.automaticColour) texts.emplace_back("colour", "auto");
    if (request.colour) texts.emplace_back("colour", ColourText(*request.colour));
    if (request.backgroundColour)
        texts.emplace_back("background-colour", ColourText(*request.backgroundColour));
    number("colour-set", request.colourSet);
    return texts;
}

std::optional<std::string> Apply(SetRequest& request, std::string_view name,
                                 std::string_view value) {
    if (name == "profile") {
        // Profiles are numbered from 0, as the window names them (P0, P1, ...).
        return NumberInto(request.profile, name, value, 0, 255);
    }
    if (name == "mode") {
        if (value.empty()) return std::string("--mode needs a mode name or number");
        request.mode = std::string(value);
        return std::nullopt;
    }
    if (name == "brightness") return NumberInto(request.brightness, name, value, 0, kMaxBrightness);
    if (name == "background-brightness")
        return NumberInto(request.backgroundBrightness, name, value, 0, kMaxBrightness);
    if (name == "speed") return NumberInto(request.speed, name, value, 0, kMaxSpeed);
    if (name == "colour-set") return NumberInto(request.colourSet, name, value, 1, kColourSetCount);
    if (name == "direction") {
        request.direction = Direction(value);
        if (request.direction) return std::nullopt;
        return "--direction takes right, left, up, down, clockwise or anticlockwise, not \"" +
               std::string(value) + "\"";
    }
    if (name == "colour") {
        request.automaticColour = value == "auto";
        if (request.automaticColour) {
            request.colour.reset();
            return std::nullopt;
        }
        auto error = ColourInto(request.colour, name, value);
        return error ? std::optional<std::string>(*error + " or auto") : std::nullopt;
    }
    if (name == "background-colour") return ColourInto(request.backgroundColour, name, value);
    return "unknown setting \"" + std::string(name) + "\"";
}

}  // namespace settingtext
