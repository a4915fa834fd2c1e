#pragma once
// What one command line asks for, after its syntax has been checked.
#include <string>
#include <vector>

#include "ops/KeyboardRequests.h"
#include "ops/RulesEndpoint.h"

// "macros export FILE [GROUP...]" and "macros import FILE".
struct MacrosRequest {
    bool exporting = true;
    std::string file;
    std::vector<std::string> groups;  // export: the groups by name; none means all
};

struct CliRequest {
    std::string emulation;  // empty: the real keyboard; otherwise a name of EmulationNames()
    bool json = false;
    SetRequest set;
    PaintRequest paint;
    AssignRequest assign;
    BackupRequest backup;
    MacrosRequest macros;
    RulesRequest rules;
};
