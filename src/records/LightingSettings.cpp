#include "records/LightingSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "records/ModeAttr.h"

namespace lighting {

namespace {

constexpr std::uint16_t kLinear = MODE_CAP_DIRECTION_LEFT_RIGHT | MODE_CAP_DIRECTION_UP_DOWN;

// The linear names come first, so a register value read without a mode reads as them; the
// turning modes use the first two values, as the window writes them.
constexpr std::array<Choice, 6> kDirections{{
    {"right", MODE_DIR_RIGHT, MODE_CAP_DIRECTION_LEFT_RIGHT, MODE_CAP_ROTATION},
    {"left", MODE_DIR_LEFT, MODE_CAP_DIRECTION_LEFT_RIGHT, MODE_CAP_ROTATION},
    {"up", MODE_DIR_UP, MODE_CAP_DIRECTION_UP_DOWN, MODE_CAP_ROTATION},
    {"down", MODE_DIR_DOWN, MODE_CAP_DIRECTION_UP_DOWN, MODE_CAP_ROTATION},
    {"clockwise", 0, MODE_CAP_ROTATION, 0},
    {"anticlockwise", 1, MODE_CAP_ROTATION, 0},
}};

Value Rgb(const std::uint8_t (&field)[3]) {
    return static_cast<Value>(field[0]) << 16 | static_cast<Value>(field[1]) << 8 | field[2];
}

void SetRgb(std::uint8_t (&field)[3], Value rgb) {
    field[0] = static_cast<std::uint8_t>(rgb >> 16);
    field[1] = static_cast<std::uint8_t>(rgb >> 8);
    field[2] = static_cast<std::uint8_t>(rgb);
}

constexpr std::array<SettingRow, kSettingCount> kRows{{
    {Setting::Brightness,
     "brightness",
     MODE_CAP_FOREGROUND_BRIGHTNESS,
     Kind::Number,
     0,
     255,
     {},
     0,
     "foregroundBrightness",
     [](const _reg_mode_t& r) -> Value { return r.foregroundBrightness; },
     [](_reg_mode_t& r, Value v) { r.foregroundBrightness = static_cast<std::uint8_t>(v); }},
    {Setting::BackgroundBrightness,
     "backgroundBrightness",
     MODE_CAP_BACKGROUND_BRIGHTNESS,
     Kind::Number,
     0,
     255,
     {},
     0,
     {},
     [](const _reg_mode_t& r) -> Value { return r.backgroundBrightness; },
     [](_reg_mode_t& r, Value v) { r.backgroundBrightness = static_cast<std::uint8_t>(v); }},
    {Setting::Speed,
     "speed",
     MODE_CAP_SPEED,
     Kind::Number,
     0,
     _reg_mode_t::MAX_SPEED,
     {},
     0,
     {},
     [](const _reg_mode_t& r) -> Value { return r.speed(); },
     [](_reg_mode_t& r, Value v) { r.setSpeed(static_cast<unsigned>(v)); }},
    {Setting::Direction,
     "direction",
     kLinear | MODE_CAP_ROTATION,
     Kind::Choice,
     0,
     0,
     kDirections,
     0,
     {},
     [](const _reg_mode_t& r) -> Value { return r.direction(); },
     [](_reg_mode_t& r, Value v) { r.setDirection(static_cast<unsigned>(v)); }},
    {Setting::Colour,
     "colour",
     MODE_CAP_FOREGROUND,
     Kind::Colour,
     0,
     0xFFFFFF,
     {},
     MODE_CAP_AUTO_FOREGROUND,
     "foreground",
     [](const _reg_mode_t& r) { return Rgb(r.foreground); },
     [](_reg_mode_t& r, Value v) { SetRgb(r.foreground, v); }},
    {Setting::BackgroundColour,
     "backgroundColour",
     MODE_CAP_BACKGROUND,
     Kind::Colour,
     0,
     0xFFFFFF,
     {},
     0,
     "background",
     [](const _reg_mode_t& r) { return Rgb(r.background); },
     [](_reg_mode_t& r, Value v) { SetRgb(r.background, v); }},
}};

bool ValidChoice(const SettingRow& row, Value value) {
    return value >= 0 && static_cast<std::size_t>(value) < row.choices.size();
}

std::string Names(const SettingRow& row, std::uint16_t flags, bool all) {
    std::string names;
    for (const Choice& choice : row.choices) {
        if (!all && !Offers(choice, flags)) continue;
        names += (names.empty() ? "" : ", ") + std::string(choice.name);
    }
    return names;
}

}  // namespace

std::span<const SettingRow> Rows() {
    return kRows;
}

const SettingRow& Row(Setting setting) {
    return kRows[static_cast<std::size_t>(setting)];
}

std::string Option(const SettingRow& row) {
    std::string option;
    for (const char c : row.key) {
        if (std::isupper(static_cast<unsigned char>(c))) {
            option += '-';
            option += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            option += c;
        }
    }
    return option;
}

std::string Label(const SettingRow& row) {
    std::string label = Option(row);
    std::replace(label.begin(), label.end(), '-', ' ');
    label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
    return label;
}

const SettingRow* RowByOption(std::string_view option) {
    for (const SettingRow& row : kRows)
        if (Option(row) == option) return &row;
    return nullptr;
}

const SettingRow* RowByKey(std::string_view key) {
    for (const SettingRow& row : kRows)
        if (row.key == key) return &row;
    return nullptr;
}

bool Offers(const SettingRow& row, std::uint16_t flags) {
    return (flags & row.capability) != 0;
}

bool Offers(const Choice& choice, std::uint16_t flags) {
    return (flags & choice.capability) != 0 && (flags & choice.excludedBy) == 0;
}

bool Takes(const SettingRow& row, Value value, std::uint16_t flags) {
    if (!Offers(row, flags)) return false;
    if (value == kAutomatic) return row.automatic != 0 && (flags & row.automatic) != 0;
    if (row.kind == Kind::Choice)
        return ValidChoice(row, value) &&
               Offers(row.choices[static_cast<std::size_t>(value)], flags);
    return true;
}

std::string Text(const SettingRow& row, Value value) {
    if (value == kAutomatic) return "auto";
    switch (row.kind) {
        case Kind::Number:
            return std::to_string(value);
        case Kind::Colour:
            return ColourText(static_cast<std::uint32_t>(value));
        case Kind::Choice:
            if (ValidChoice(row, value))
                return std::string(row.choices[static_cast<std::size_t>(value)].name);
            break;
    }
    return {};
}

std::optional<Value> Parse(const SettingRow& row, std::string_view text) {
    if (row.automatic != 0 && text == "auto") return kAutomatic;
    switch (row.kind) {
        case Kind::Number:
            return WholeNumber(text, row.low, row.high);
        case Kind::Colour:
            if (auto rgb = ParseColour(text)) return static_cast<Value>(*rgb);
            return std::nullopt;
        case Kind::Choice:
            for (std::size_t i = 0; i < row.choices.size(); ++i)
                if (row.choices[i].name == text) return static_cast<Value>(i);
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Value> WholeNumber(std::string_view text, Value low, Value high) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    Value value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string Expects(const SettingRow& row) {
    std::string expects;
    switch (row.kind) {
        case Kind::Number:
            return "a whole number from " + std::to_string(row.low) + " to " +
                   std::to_string(row.high);
        case Kind::Colour:
            expects = "a colour as RRGGBB or #RRGGBB in hexadecimal";
            break;
        case Kind::Choice:
            expects = "one of " + Names(row, 0, true);
            break;
    }
    return row.automatic != 0 ? expects + " or auto" : expects;
}

std::string ValueForm(const SettingRow& row) {
    std::string form;
    switch (row.kind) {
        case Kind::Number:
            return std::to_string(row.low) + "-" + std::to_string(row.high);
        case Kind::Colour:
            form = "RRGGBB";
            break;
        case Kind::Choice:
            for (const Choice& choice : row.choices)
                form += (form.empty() ? "" : "|") + std::string(choice.name);
            break;
    }
    return row.automatic != 0 ? form + "|auto" : form;
}

std::string Describe(const SettingRow& row, std::uint16_t flags) {
    std::string values;
    switch (row.kind) {
        case Kind::Number:
            break;
        case Kind::Colour:
            values = "#RRGGBB";
            break;
        case Kind::Choice:
            values = Names(row, flags, false);
            break;
    }
    if (row.automatic != 0 && (flags & row.automatic) != 0)
        values += values.empty() ? "auto" : " or auto";
    return values.empty() ? Option(row) : Option(row) + " (" + values + ")";
}

Value Read(const SettingRow& row, const _reg_mode_t& reg, std::uint16_t flags) {
    if (row.automatic != 0 && (flags & row.automatic) != 0 && reg.autoForeground())
        return kAutomatic;
    const Value value = row.read(reg);
    if (row.kind != Kind::Choice) return value;
    for (std::size_t i = 0; i < row.choices.size(); ++i)
        if (row.choices[i].value == value && Offers(row.choices[i], flags))
            return static_cast<Value>(i);
    return ChoiceOfRegister(row, value).value_or(0);
}

void Write(const SettingRow& row, _reg_mode_t& reg, Value value) {
    if (row.automatic != 0) reg.setAutoForeground(value == kAutomatic);
    if (value == kAutomatic) return;
    row.write(reg, row.kind == Kind::Choice && ValidChoice(row, value)
                       ? row.choices[static_cast<std::size_t>(value)].value
                       : value);
}

std::optional<Value> ChoiceOfRegister(const SettingRow& row, Value registerValue) {
    for (std::size_t i = 0; i < row.choices.size(); ++i)
        if (row.choices[i].value == registerValue) return static_cast<Value>(i);
    return std::nullopt;
}

std::string ColourText(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return text;
}

std::optional<std::uint32_t> ParseColour(std::string_view text) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

}  // namespace lighting
