#pragma once
// What a macro group may hold, the one set of limits for every file that carries groups: the
// keyboard backup, shared macro files and "macro.xml". Each follows from what the keyboard can
// play or what the macro editor shows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "persist/MacroDocument.h"
#include "records/MacroBlock.h"

namespace persist {

struct ValueRange {
    std::int32_t low;
    std::int32_t high;

    constexpr bool Holds(long long value) const { return value >= low && value <= high; }
    constexpr std::int32_t Nearest(std::int32_t value) const {
        return value < low ? low : value > high ? high : value;
    }
    // "0 to 255"
    std::string Text() const;
};

// The editor's list: groups made or imported join only while it has room. Groups the keyboard
// plays join it beyond that, so a backup or "macro.xml" may hold more.
inline constexpr std::size_t kMaxMacroGroups = 10;
inline constexpr std::size_t kMaxGroupNameLength = 37;  // the editor's name field, in characters
inline constexpr std::size_t kMaxStepsPerGroup = macro_block_t::MAX_STEPS;  // one keyboard macro
inline constexpr ValueRange kRepeatRange{0, 255};                           // the keyboard's byte
inline constexpr ValueRange kStepStateRange{macro_step_t::KEY_DOWN, macro_step_t::KEY_UP};
inline constexpr ValueRange kDelayRange{0, macro_step_t::MAX_DELAY};  // milliseconds

// The groups with every value brought within the limits: the steps past a macro's last dropped,
// names cut to their longest, repeat, states and delays moved to the nearest allowed value.
// Every group stays: the list may hold more than the editor's ten, as the keyboard's own macros
// join it.
std::vector<MacroGroupContent> WithinLimits(std::vector<MacroGroupContent> groups);

}  // namespace persist
