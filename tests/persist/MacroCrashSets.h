#pragma once

#include <list>
#include <string>

#include "records/AppRecords.h"

namespace persist_test {

// Two sets of macro groups that a crashed save must never mix. Every step carries its set's
// mark, so a file holding parts of both, or a part of either, compares unequal to both.
// Both are large enough that writing one takes a noticeable while.
inline std::list<MacroRecordGroup> CrashSet(int mark) {
    constexpr int kGroups = 4;
    constexpr int kSteps = 60;
    std::list<MacroRecordGroup> groups;
    for (int g = 0; g < kGroups; ++g) {
        MacroRecordGroup group;
        group.info.current() = {g + 1, mark,
                                L"set " + std::to_wstring(mark) + L" group " + std::to_wstring(g)};
        std::list<MacroRecordGpItem>& steps = group.items.current();
        for (int s = 0; s < kSteps; ++s) {
            steps.push_back({0x1E + s % 40, s % 2, mark * 1000 + s,
                             L"step " + std::to_wstring(s) + L" of set " + std::to_wstring(mark)});
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

inline std::list<MacroRecordGroup> OldCrashSet() {
    return CrashSet(1);
}
inline std::list<MacroRecordGroup> NewCrashSet() {
    return CrashSet(2);
}

}  // namespace persist_test
