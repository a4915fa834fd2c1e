#pragma once
// The keyboard object's properties as one copy, read by the window's thread without waiting and
// renewed by the bus worker whenever the keyboard's state changes.
#include <QString>
#include <array>
#include <optional>

#include "records/LightingSettings.h"

class KeyboardOperations;

struct BusProperties {
    bool connected = false;
    QString state;
    QString productId;  // "0x1514", empty when none
    int profileCount = 0;
    int activeProfile = 0;
    int modeIndex = 0;
    QString modeName;
    // The current mode's settings by lighting::Setting; none for a setting the mode lacks.
    std::array<std::optional<lighting::Value>, lighting::kSettingCount> settings;
    int colourSet = 1;
    QString status;  // as `keylume status --json` prints it
    QString modes;   // as `keylume modes --json` prints it

    // A number setting, -1 when the mode lacks it.
    int Number(lighting::Setting setting) const;
    // Any setting as the status JSON writes it ("#RRGGBB", "auto", "left"), empty when the mode
    // lacks it.
    QString Text(lighting::Setting setting) const;
};

// From one look at the keyboard.
BusProperties ReadBusProperties(KeyboardOperations& keyboard);
