#pragma once
// What a caller asks of the keyboard, after its syntax has been checked. Names of keys and modes
// are still text: they are resolved against the key pictures and the keyboard's own modes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Lighting directions as the command line names them.
enum class LightDirection { Right, Left, Up, Down, Clockwise, Anticlockwise };

struct SetRequest {
    std::optional<int> profile;
    std::optional<std::string> mode;  // a name, or a number for the mode's position
    std::optional<int> brightness;
    std::optional<int> backgroundBrightness;
    std::optional<int> speed;
    std::optional<LightDirection> direction;
    std::optional<std::uint32_t> colour;  // 0xRRGGBB
    bool automaticColour = false;         // --colour auto
    std::optional<std::uint32_t> backgroundColour;
    std::optional<int> colourSet;  // as the window numbers them, from 1

    bool Empty() const {
        return !profile && !mode && !brightness && !backgroundBrightness && !speed && !direction &&
               !colour && !automaticColour && !backgroundColour && !colourSet;
    }
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
