#pragma once
// The separate firmware upgrade program in the program folder.
#include <QString>

// "update" in the folder.
QString UpgradeProgramPath(const QString& programFolder);

// Starts the program with no arguments, in this process's environment and current
// directory, and waits for its end without a time-out. False when it could not be started.
bool RunUpgradeProgram(const QString& path);
