#pragma once
// The window's options, read by the program's one reader of its arguments (cli/CommandLine).
#include <QString>
#include <QStringList>

#include "emulator/Emulation.h"

struct LaunchOptions {
    Emulation emulation = Emulation::None;
    QString screenshot;  // empty: no picture
    int verbosity = 0;   // -v given this often
    bool background = false;
};

struct LaunchRequest {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    LaunchOptions options;
    QString text;  // help, version or error text for the terminal
};

// The name --emulate gives the emulation; the real keyboard has the empty name.
QString EmulationText(Emulation emulation);

// Reads the arguments (program name first). Never exits.
LaunchRequest ParseLaunchArguments(const QStringList& arguments);
