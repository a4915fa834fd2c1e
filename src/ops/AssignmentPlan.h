#pragma once
// Turns `assign` into the key-assignment request the macro editor would publish for the same
// choice, after checking the key and the named entry exist.
#include <list>
#include <string>
#include <vector>

#include "ops/KeyPositions.h"
#include "ops/KeyboardRequests.h"
#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/MacroKeyLists.h"

// What the key may be given: the lists of the program's settings and macro file.
struct AssignmentChoices {
    std::vector<MacroFuncKey> functions;
    std::vector<MacroCombKey> combinations;
    std::list<MacroRecordGroup> macros;
};

struct AssignmentPlan {
    macrokey_pack_t request;
    std::string error;  // empty when the request is good
};

AssignmentPlan PlanAssignment(const AssignRequest& assign, const KeyPositions& keys,
                              const AssignmentChoices& choices);

// The key a usage error names when a name stands for several keys, e.g. "\ (keys 50, 70)".
std::string DescribeKeys(const std::string& name, const std::vector<KeyPosition>& keys);
