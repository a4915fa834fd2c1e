#pragma once
// The separate firmware upgrade program, in the program's own folder for helpers.
#include <QString>

// "keylume-firmware-upgrade" in the helper folder of a program in `programFolder`: beside the
// executable in a portable copy, <prefix>/libexec/keylume/ when installed.
QString UpgradeProgramPath(const QString& programFolder);

// Starts the program at the absolute `path` with no arguments, in this process's environment
// and current directory, and waits for its end without a time-out. False when it could not be
// started; a name without a folder is refused rather than looked up on the search path.
bool RunUpgradeProgram(const QString& path);
