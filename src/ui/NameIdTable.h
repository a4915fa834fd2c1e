#pragma once
// The registered map from widget names used in the layouts to numeric widget ids.
#include <string_view>
#include <vector>

namespace SOUI {

struct NameIdRow {
    const char* name;
    int id;
};

// The program's table, sorted by name in ordinal order. Names the code compares by
// number carry fixed ids; every other name takes one of the ids left over.
const std::vector<NameIdRow>& ProgramNameIdTable();

// Binary search over a table sorted by name; -1 when the name is absent or empty.
int LookupNameId(const std::vector<NameIdRow>& table, std::string_view name);

}  // namespace SOUI
