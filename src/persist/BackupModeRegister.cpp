#include "persist/BackupModeRegister.h"

#include "persist/LightingJson.h"
#include "records/LightingSettings.h"

namespace persist {
namespace {

using namespace backup_json;

// The register's own bits beside the settings; older files named the first "autoForeground".
constexpr const char* kAutoColour = "autoColour";
constexpr const char* kFormerAutoColour = "autoForeground";
constexpr const char* kReservedBit = "reservedBit";

lighting::Value ReadSetting(const lighting::SettingRow& row, const Json& value,
                            const std::string& place) {
    switch (row.kind) {
        case lighting::Kind::Number:
            return static_cast<lighting::Value>(WholeNumber(value, place, row.low, row.high));
        case lighting::Kind::Colour: {
            const Rgb rgb = Colour(value, place);
            return rgb[0] << 16 | rgb[1] << 8 | rgb[2];
        }
        case lighting::Kind::Choice:
            break;
    }
    const std::string* text = value.get_ptr<const std::string*>();
    const auto choice = text ? lighting::Parse(row, *text) : std::nullopt;
    if (!choice || *choice == lighting::kAutomatic)
        throw BackupRefusal{{place, "not " + lighting::Expects(row)}};
    return row.choices[static_cast<std::size_t>(*choice)].value;
}

}  // namespace

Json WriteModeRegister(const _reg_mode_t& reg) {
    Json written = {{kAutoColour, reg.autoForeground()}, {kReservedBit, reg.reservedBit()}};
    for (const lighting::SettingRow& row : lighting::Rows()) {
        // Every register value, whatever the modes offer, so the file gives back every bit.
        const lighting::Value value = row.read(reg);
        written[std::string(row.key)] =
            SettingJson(row, row.kind == lighting::Kind::Choice
                                 ? lighting::ChoiceOfRegister(row, value).value_or(0)
                                 : value);
    }
    return written;
}

_reg_mode_t ReadModeRegister(const Json& value, const std::string& path) {
    Object(value, path);
    std::string place;
    _reg_mode_t reg;
    for (const lighting::SettingRow& row : lighting::Rows()) {
        const Json& field = Renamed(value, path, std::string(row.key), row.formerKey, place);
        row.write(reg, ReadSetting(row, field, place));
    }
    reg.setAutoForeground(
        Boolean(Renamed(value, path, kAutoColour, kFormerAutoColour, place), place));
    reg.setReservedBit(Boolean(Member(value, path, kReservedBit), Place(path, kReservedBit)));
    return reg;
}

}  // namespace persist
