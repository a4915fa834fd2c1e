#include "persist/BackupRestorePlan.h"

#include "persist/BackupHeader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace persist {

namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

void CompareSize(std::vector<std::string>& differences, std::size_t file, std::size_t keyboard,
                 const char* one, const char* many) {
    if (file != keyboard)
        differences.push_back("the file has " + Count(file, one, many) + ", the keyboard " +
                              Count(keyboard, one, many));
}

int ModeIndex(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// The mode of NAMES that stands for mode M of FROM: the same name met the same number of times
// before, so modes that share a name pair up in order.
int SameMode(const std::vector<std::string>& from, std::size_t m,
             const std::vector<std::string>& names) {
    const auto before =
        std::count(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(m), from[m]);
    for (std::size_t i = 0, seen = 0; i < names.size(); ++i)
        if (names[i] == from[m] && static_cast<std::ptrdiff_t>(seen++) == before)
            return static_cast<int>(i);
    return -1;
}

// The modes one side lacks, in one line: "the keyboard has no modes "A", "B"".
void MissingModes(std::vector<std::string>& differences, const char* side,
                  const std::vector<std::string>& names, const std::vector<std::string>& other) {
    std::string missing;
    std::size_t count = 0;
    for (const std::string& name : names) {
        if (ModeIndex(other, name) >= 0) continue;
        missing += (count++ ? ", \"" : "\"") + name + "\"";
    }
    if (count > 0)
        differences.push_back(std::string(side) +
                              (count == 1 ? " has no mode " : " has no modes ") + missing);
}

void CompareModes(std::vector<std::string>& differences, const KeyboardSnapshot& file,
                  const KeyboardSnapshot& keyboard) {
    MissingModes(differences, "the keyboard", file.modeNames, keyboard.modeNames);
    MissingModes(differences, "the file", keyboard.modeNames, file.modeNames);
}

void LayProfiles(const KeyboardSnapshot& file, KeyboardSnapshot& target) {
    const std::size_t profiles = std::min(file.profiles.size(), target.profiles.size());
    for (std::size_t p = 0; p < profiles; ++p) {
        const KeyboardSnapshot::Profile& from = file.profiles[p];
        KeyboardSnapshot::Profile& to = target.profiles[p];
        for (std::size_t m = 0; m < from.registers.size() && m < file.modeNames.size(); ++m) {
            const int mode = SameMode(file.modeNames, m, target.modeNames);
            if (mode >= 0 && static_cast<std::size_t>(mode) < to.registers.size())
                to.registers[static_cast<std::size_t>(mode)] = from.registers[m];
        }
        if (from.activeMode >= 0 &&
            static_cast<std::size_t>(from.activeMode) < file.modeNames.size()) {
            const int mode = SameMode(file.modeNames, static_cast<std::size_t>(from.activeMode),
                                      target.modeNames);
            if (mode >= 0) to.activeMode = mode;
        }
    }
    if (file.activeProfile >= 0 &&
        static_cast<std::size_t>(file.activeProfile) < target.profiles.size())
        target.activeProfile = file.activeProfile;
}

void LayColours(const KeyboardSnapshot& file, KeyboardSnapshot& target) {
    const std::size_t sets = std::min(file.colourSets.size(), target.colourSets.size());
    for (std::size_t s = 0; s < sets; ++s) {
        const std::size_t n = std::min(file.colourSets[s].size(), target.colourSets[s].size());
        std::copy_n(file.colourSets[s].begin(), n, target.colourSets[s].begin());
    }
    if (file.activeColourSet >= 0 &&
        static_cast<std::size_t>(file.activeColourSet) < target.colourSets.size())
        target.activeColourSet = file.activeColourSet;
}

// The target's macros are the file's: the keys that keep their old assignment have theirs
// copied under fresh numbers above the file's.
void LayKeys(const KeyboardSnapshot& file, KeyboardSnapshot& target) {
    const KeyboardSnapshot before = target;
    target.macros = file.macros;
    int spare = file.macros.empty() ? 0 : file.macros.rbegin()->first + 1;
    for (std::size_t k = 0; k < target.keyCodes.size(); ++k) {
        if (k < file.keyCodes.size()) {
            target.keyCodes[k] = file.keyCodes[k];
            continue;
        }
        macro_code_t& code = target.keyCodes[k];
        const auto block = before.macros.find(code.value());
        if (!code.playsMacro() || block == before.macros.end()) continue;
        target.macros[spare] = block->second;
        code.setValue(static_cast<unsigned>(spare++));
    }
}

bool SameColour(const rgba_t& a, const rgba_t& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

}  // namespace

bool SameRegister(const _reg_mode_t& a, const _reg_mode_t& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

RestorePlan PlanRestore(const KeyboardSnapshot& file, const KeyboardSnapshot& keyboard) {
    RestorePlan plan;
    if (file.productId != keyboard.productId)
        plan.differences.push_back("the file is from another keyboard (product id " +
                                   ProductIdText(file.productId) + ")");
    CompareSize(plan.differences, file.profiles.size(), keyboard.profiles.size(), "profile",
                "profiles");
    CompareModes(plan.differences, file, keyboard);
    CompareSize(plan.differences, file.colourSets.size(), keyboard.colourSets.size(), "colour set",
                "colour sets");
    if (!file.colourSets.empty() && !keyboard.colourSets.empty())
        CompareSize(plan.differences, file.colourSets.front().size(),
                    keyboard.colourSets.front().size(), "key colour", "key colours");
    CompareSize(plan.differences, file.keyCodes.size(), keyboard.keyCodes.size(),
                "key assignment entry", "key assignment entries");
    plan.target = keyboard;
    LayProfiles(file, plan.target);
    LayColours(file, plan.target);
    LayKeys(file, plan.target);
    return plan;
}

bool SameAssignment(const KeyboardSnapshot& a, std::size_t keyA, const KeyboardSnapshot& b,
                    std::size_t keyB) {
    const macro_code_t codeA = a.keyCodes[keyA];
    const macro_code_t codeB = b.keyCodes[keyB];
    if (!codeA.playsMacro() || !codeB.playsMacro()) return codeA == codeB;
    if (codeA.type() != codeB.type()) return false;
    const auto blockA = a.macros.find(codeA.value());
    const auto blockB = b.macros.find(codeB.value());
    if (blockA == a.macros.end() || blockB == b.macros.end())
        return (blockA == a.macros.end()) == (blockB == b.macros.end());
    return blockA->second == blockB->second;
}

std::vector<std::string> SnapshotDifferences(const KeyboardSnapshot& target,
                                             const KeyboardSnapshot& actual) {
    std::vector<std::string> differences;
    if (target.profiles.size() != actual.profiles.size() ||
        target.colourSets.size() != actual.colourSets.size() ||
        target.keyCodes.size() != actual.keyCodes.size())
        return {"the keyboard read back has another shape"};
    for (std::size_t p = 0; p < target.profiles.size(); ++p) {
        const auto& want = target.profiles[p];
        const auto& got = actual.profiles[p];
        const bool same = want.activeMode == got.activeMode &&
                          want.registers.size() == got.registers.size() &&
                          std::equal(want.registers.begin(), want.registers.end(),
                                     got.registers.begin(), SameRegister);
        if (!same) differences.push_back("the lighting of profile " + std::to_string(p + 1));
    }
    if (target.activeProfile != actual.activeProfile) differences.push_back("the active profile");
    for (std::size_t s = 0; s < target.colourSets.size(); ++s) {
        const auto& want = target.colourSets[s];
        const auto& got = actual.colourSets[s];
        if (want.size() != got.size() ||
            !std::equal(want.begin(), want.end(), got.begin(), SameColour))
            differences.push_back("colour set " + std::to_string(s + 1));
    }
    if (target.activeColourSet != actual.activeColourSet)
        differences.push_back("the active colour set");
    std::size_t keys = 0;
    for (std::size_t k = 0; k < target.keyCodes.size(); ++k)
        if (!SameAssignment(target, k, actual, k)) ++keys;
    if (keys > 0) differences.push_back(Count(keys, "key assignment", "key assignments"));
    return differences;
}

}  // namespace persist
