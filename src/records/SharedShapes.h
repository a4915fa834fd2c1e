#pragma once
// Every shape that more than one part of the program holds: the keyboard logic, the screens,
// the files and the commands declare their members with these aliases only, so that a member
// with another id, element type, count or zero flag does not compile instead of silently
// forming a group of its own. Named groups take their name from the constant beside the alias.
#include <map>
#include <string>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/KeyboardSnapshot.h"
#include "store/Shape.h"

namespace shapes {

// What a publication's arg tells the receivers.
enum Tag : int {
    // Carry the change out: the keyboard logic sends it to the keyboard, a screen selects it.
    kApply = 0,
    // The publishing side holds the value already (the keyboard read it, the screen shows it):
    // the keyboard logic sends no colour set or profile back, a screen does not select again.
    kAlreadyApplied = 1,
};

// Groups by id. Alias: ShapeType<element, id, count at first, zero-filled>.
using Connected = ShapeType<int, 1000, 1, 1>;  // 1 while the keyboard is open
using KeyColours = ShapeType<rgba_t, 1000, 108, 1>;
using ColourSet = ShapeType<int, 1001, 1, 1>;
using KeyCodes = ShapeType<macro_code_t, 2, 109, 1>;
using KeyAssignment = ShapeType<macrokey_pack_t, 10000, 1, 1>;
using MacroGroups = ShapeList<MacroRecordGroup, 1>;
using MacroSettings = ShapeType<MacroRecordParam, 1, 1, 1>;
using FuncKeys = ShapeType<MacroFuncKey, 1, 1, 1>;
using CombKeys = ShapeType<MacroCombKey, 1, 1, 0>;
using Device = ShapeType<UsbInfo, 1, 1, 1>;
using Language = ShapeType<std::wstring, -1717986919, 1, 0>;

// Groups by name.
using Register = ShapeType<_reg_mode_t, -1, 1, 0>;  // the active profile's current mode
inline constexpr const char* kRegisterName = "custom.selecting.keys";
using Modes = ShapeType<_mode_attr_t, -1, 1, 0>;  // index: the current mode
inline constexpr const char* kModesName = "custom.mode.attr";
using Profiles = ShapeType<_profile_attr_t, -1, 1, 0>;  // index: the active profile
inline constexpr const char* kProfilesName = "kb.profile.index";
using KeySelection = ShapeVector<CoordButtonInfo, -1>;  // keys picked in the lighting picture
inline constexpr const char* kKeySelectionName = "custom.led.sel";
using RecordFlag = ShapeType<int, -1, 1, 0>;  // the macro editor records keys
inline constexpr const char* kRecordFlagName = "record.Enable";
using FactoryReset = ShapeType<int, -1, 1, 0>;  // a publication is one request
inline constexpr const char* kFactoryResetName = "kb.factor.reset";
using MaskClear = ShapeType<int, -1, 1, 0>;  // a publication is one request
inline constexpr const char* kMaskClearName = "kb.notify.mask";

// The entry each key was last given on the editor's single key or function page.
using EntryChoices = ShapeVector<MacroEntryChoice, -1>;
inline constexpr const char* kEntryChoicesName = "macro.entry.choices";

// The macro in every slot a key plays, as the keyboard holds it: what such a key plays, whether
// or not a group names the slot.
using SlotMacros = ShapeType<std::map<int, macro_block_t>, -1, 1, 0>;
inline constexpr const char* kSlotMacrosName = "kb.macro.slots";

// A request for the keyboard's whole state (KeyboardSnapshot), answered in Snapshot.
using SnapshotRequest = ShapeType<int, -1, 1, 0>;
inline constexpr const char* kSnapshotRequestName = "kb.backup.read";
enum SnapshotSource : int {
    kQuietRead = 0,  // read afresh; the keyboard logic's state and the screens stay as they are
    kAfterRead = 1,  // the whole keyboard read again first, as at a connection, and published
};
using Snapshot = ShapeType<KeyboardSnapshot, -1, 1, 0>;
inline constexpr const char* kSnapshotName = "kb.backup";

}  // namespace shapes
