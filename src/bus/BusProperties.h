#pragma once
// The bus object's properties as one copy, read by the window's thread without waiting and
// renewed by the bus worker whenever the keyboard's state changes.
#include <QString>

class KeyboardOperations;

struct BusProperties {
    bool connected = false;
    QString state;
    QString productId;  // "0x1514", empty when none
    int profileCount = 0;
    int activeProfile = 0;
    int modeIndex = 0;
    QString modeName;
    int colourSet = 1;
    QString status;  // as `keylume status --json` prints it
    QString modes;   // as `keylume modes --json` prints it

    bool operator==(const BusProperties&) const = default;
};

// From one look at the keyboard.
BusProperties ReadBusProperties(KeyboardOperations& keyboard);
