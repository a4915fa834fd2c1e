#pragma once
// "keylume diagnose": why a keyboard does not open, for people or (json) for programs.
#include <ostream>

#include "app/LaunchOptions.h"

// Examines the real system, or describes the emulated keyboard when emulation is not None.
// Returns the exit status: 0 when the keyboard can be used, 1 when it is absent or cannot be.
int RunDiagnoseCommand(std::ostream& out, bool json, Emulation emulation);
