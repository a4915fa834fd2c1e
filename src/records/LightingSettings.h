#pragma once
// Every setting of a lighting mode's register, declared once: the one name every surface uses,
// the capability that offers it, its values and where it lives in the register. The command
// line, the checks, the status report, the backup and the bus all read their settings here.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/RegMode.h"

namespace lighting {

// The rows, in the order every surface lists them.
enum class Setting { Brightness, BackgroundBrightness, Speed, Direction, Colour, BackgroundColour };
inline constexpr std::size_t kSettingCount = 6;

enum class Kind { Number, Choice, Colour };

// A setting's value: a number, a colour as 0xRRGGBB, the index of a choice, or kAutomatic.
using Value = std::int32_t;
inline constexpr Value kAutomatic = -1;

// One named value of a choice setting. A mode offers it when it has one of `capability` and
// none of `excludedBy`.
struct Choice {
    std::string_view name;
    std::uint8_t value;  // in the register
    std::uint16_t capability;
    std::uint16_t excludedBy;
};

struct SettingRow {
    Setting id;
    std::string_view key;      // camelCase: status JSON, backup, bus; the option is its kebab-case
    std::uint16_t capability;  // MODE_CAP_*: the mode has the setting when any of them is set
    Kind kind;
    Value low, high;                  // of a number
    std::span<const Choice> choices;  // of a choice, register values ascending first
    std::uint16_t automatic;          // the capability that offers "auto" (the register's automatic
                                      // foreground bit), 0 when the setting has none
    std::string_view formerKey;       // the name older backups wrote, empty when the same
    // The register's own value: the number, 0xRRGGBB, or the choice's register value.
    Value (*read)(const _reg_mode_t&);
    void (*write)(_reg_mode_t&, Value);
};

std::span<const SettingRow> Rows();
const SettingRow& Row(Setting setting);
// "background-brightness" for "backgroundBrightness".
std::string Option(const SettingRow& row);
// "Background brightness", for people.
std::string Label(const SettingRow& row);
const SettingRow* RowByOption(std::string_view option);
const SettingRow* RowByKey(std::string_view key);

bool Offers(const SettingRow& row, std::uint16_t flags);
bool Offers(const Choice& choice, std::uint16_t flags);
// Whether a mode with FLAGS takes VALUE of the row (a choice it offers, auto when it has it).
bool Takes(const SettingRow& row, Value value, std::uint16_t flags);

// Numbers in decimal, colours "#RRGGBB", choices by name, "auto".
std::string Text(const SettingRow& row, Value value);
// Numbers within the range, colours RRGGBB or #RRGGBB, a choice's name, "auto" when offered.
std::optional<Value> Parse(const SettingRow& row, std::string_view text);
// A whole decimal number without sign characters or spaces, within [low, high].
std::optional<Value> WholeNumber(std::string_view text, Value low, Value high);
// What Parse takes, to end "--speed takes ...": "a whole number from 0 to 15".
std::string Expects(const SettingRow& row);
// The same for a help line: "0-15", "right|left|...", "RRGGBB|auto".
std::string ValueForm(const SettingRow& row);
// The option with the values a mode with FLAGS takes: "direction (left, right)".
std::string Describe(const SettingRow& row, std::uint16_t flags);

// The value a mode with FLAGS shows: auto when its bit is on and offered, a choice the mode
// offers for the register's value (else the first of that value).
Value Read(const SettingRow& row, const _reg_mode_t& reg, std::uint16_t flags);
// Writes a value Parse gave; a colour turns automatic colours off.
void Write(const SettingRow& row, _reg_mode_t& reg, Value value);
// The choice named for a register value regardless of the mode, as backups write it.
std::optional<Value> ChoiceOfRegister(const SettingRow& row, Value registerValue);

// "#RRGGBB" in capitals, for 0xRRGGBB.
std::string ColourText(std::uint32_t rgb);
// RRGGBB in hexadecimal, with an optional leading '#', either case.
std::optional<std::uint32_t> ParseColour(std::string_view text);

}  // namespace lighting
