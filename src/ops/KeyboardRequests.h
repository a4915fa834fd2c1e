#pragma once
// What a caller asks of the keyboard, after its syntax has been checked. Names of keys and modes
// are still text: they are resolved against the key pictures and the keyboard's own modes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/LightingSettings.h"

struct SetRequest {
    std::optional<int> profile;
    std::optional<std::string> mode;  // a name, or a number for the mode's position
    std::optional<int> colourSet;     // as the window numbers them, from 1
    // The mode's register settings by row of lighting::Rows().
    std::array<std::optional<lighting::Value>, lighting::kSettingCount> settings;

    std::optional<lighting::Value>& operator[](lighting::Setting setting) {
        return settings[static_cast<std::size_t>(setting)];
    }
    const std::optional<lighting::Value>& operator[](lighting::Setting setting) const {
        return settings[static_cast<std::size_t>(setting)];
    }
    bool HasModeSettings() const {
        for (const auto& value : settings)
            if (value) return true;
        return false;
    }
    bool Empty() const { return !profile && !mode && !colourSet && !HasModeSettings(); }
};

struct PaintRequest {
    std::vector<std::string> keys;
    std::uint32_t colour = 0;  // 0xRRGGBB
};

enum class AssignKind { Key, Function, Combination, Macro, Clear };

struct AssignRequest {
    std::string key;
    AssignKind kind = AssignKind::Clear;
    std::string value;  // the other key, or the name of the function, combination or macro
};

// A keyboard backup file to write or to restore.
struct BackupRequest {
    std::string file;
    bool partial = false;  // import: restore what matches a keyboard of another shape
    bool yes = false;      // import: the key assignments the file changes were seen
    bool dryRun = false;   // import: list what would change and send nothing
};
