#pragma once

#include "records/MacroRecordSteps.h"
#include "store/Shape.h"

// One macro group: its heading and its steps, each in a private shape.
// Copies take the values and indexes only; hooks and owners stay behind and
// nothing is published.
struct MacroRecordGroup {
    // The editor's working copies of a group use the same types.
    using InfoShape = ShapeType<MacroRecordGpInfo, -1, 1, 1>;
    using ItemsShape = ShapeList<MacroRecordGpItem, -1>;

    InfoShape info;    // one element
    ItemsShape items;  // one list, empty at first

    // The heading starts zero-filled (id 0, repeat 0), unlike a lone
    // MacroRecordGpInfo, which starts as "not found on the keyboard".
    MacroRecordGroup();

    // Both shapes equal: same index, same count, equal elements.
    friend bool operator==(const MacroRecordGroup&, const MacroRecordGroup&) = default;
};
