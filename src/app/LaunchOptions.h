#pragma once
// The command line: options for the demo and for tests; the program needs none.
#include <QString>
#include <QStringList>

enum class Emulation { None, Keyboard, OldFirmware, Absent };

struct LaunchOptions {
    Emulation emulation = Emulation::None;
    QString screenshot;  // empty: no picture
};

struct LaunchRequest {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    LaunchOptions options;
    QString text;  // help, version or error text for the terminal
};

// The names --emulate takes; the real keyboard has the empty name.
bool EmulationFromText(const QString& text, Emulation& emulation);
QString EmulationName(Emulation emulation);

// Reads the arguments (program name first). Never exits.
LaunchRequest ParseLaunchArguments(const QStringList& arguments);
