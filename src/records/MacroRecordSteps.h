#pragma once

#include <cstdint>
#include <string>

#include "store/ShapeBody.h"

// The heading of one macro group.
struct MacroRecordGpInfo {
    // Group number; -1 means the group was not found on the keyboard.
    std::int32_t id = -1;
    std::int32_t repeat = 1;
    std::wstring name;

    friend bool operator==(const MacroRecordGpInfo&, const MacroRecordGpInfo&) = default;
};

// Inside a zero-filling shape a heading starts as group 0 with repeat 0, not as "not found".
template <>
struct ShapeZeroValue<MacroRecordGpInfo> {
    static MacroRecordGpInfo make() { return {0, 0, {}}; }
};

// One step of a macro.
struct MacroRecordGpItem {
    std::int32_t code = 0;
    std::int32_t state = 0;  // 0 key down, 1 key up
    std::int32_t delay = 0;  // milliseconds after the step
    std::wstring name;

    friend bool operator==(const MacroRecordGpItem&, const MacroRecordGpItem&) = default;
};
