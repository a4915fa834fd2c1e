#pragma once
// The commands' hold on the keyboard: members of the same shape groups the window's panel
// holds. Reading them gives the keyboard as the keyboard logic last published it; publishing
// them reaches the keyboard logic's command hooks, exactly as the window's changes do. Every
// change waits until the store has delivered it, so the next one sees its effect.
//
// Use it on one thread at a time while no one else publishes to these groups: the command
// process, or in the window whichever thread holds KeyboardOperations' lock (the bus worker, the
// window's backup). Build it before the keyboard logic: a member that joins
// later starts from the group's first member, whose copy may still be on its way to a window.
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <vector>

#include "ops/KeyboardStatus.h"
#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/KeyboardView.h"
#include "records/MacroKeyLists.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"

class KeyboardClient {
public:
    KeyboardClient();
    KeyboardClient(const KeyboardClient&) = delete;
    KeyboardClient& operator=(const KeyboardClient&) = delete;

    // The shapes as they are; the presence says only whether the keyboard logic is connected.
    KeyboardStatus Status() const;

    // Each returns false when the store did not settle in time.
    bool SelectProfile(int profile);
    bool SelectMode(int mode);
    // Replaces the current mode's register.
    bool WriteRegister(const _reg_mode_t& reg);
    bool SelectColourSet(int set);
    // Sets keys of the custom colour set (entries of the key colours) to 0xRRGGBB.
    bool PaintKeys(const std::vector<int>& entries, std::uint32_t rgb);
    bool Assign(const macrokey_pack_t& request);
    // Replaces every key colour of the custom colour set now selected.
    bool WriteKeyColours(const std::vector<rgba_t>& colours);
    // The keyboard's whole state through the keyboard logic; none when the keyboard is absent,
    // a query failed or the store did not settle.
    std::optional<KeyboardSnapshot> ReadSnapshot(shapes::SnapshotSource source);
    // Appends groups to the program's list, which the macro file saves.
    bool AddMacroGroups(const std::list<MacroRecordGroup>& groups);

    // Calls `onChange` whenever a change of the keyboard's state reaches these shapes, on the
    // store's thread; the client's own publications do not count.
    void WatchChanges(std::function<void()> onChange);

    // Waits until the store has delivered every change.
    static bool Settle();

    std::vector<MacroFuncKey> FunctionKeys() const;
    std::vector<MacroCombKey> Combinations() const;
    std::list<MacroRecordGroup> MacroGroups() const;

private:
    KeyboardView view_;
    shapes::KeyAssignment keyAssignment_;
    shapes::FuncKeys funcKeys_;
    shapes::CombKeys combKeys_;
    shapes::MacroGroups macroGroups_;
    shapes::SnapshotRequest snapshotRequest_;
    shapes::Snapshot snapshot_;
};
