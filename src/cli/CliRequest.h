#pragma once
// What one command line asks for, after its syntax has been checked.
#include <string>

#include "ops/KeyboardRequests.h"

enum class CliCommand { Help, Status, Modes, Set, Paint, Assign, Diagnose, Export, Import };

struct CliRequest {
    CliCommand command = CliCommand::Help;
    std::string emulation;  // empty: the real keyboard; otherwise keyboard|old-firmware|absent
    bool json = false;
    SetRequest set;
    PaintRequest paint;
    AssignRequest assign;
    BackupRequest backup;
};
