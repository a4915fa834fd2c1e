#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "logic/HookGate.h"
#include "logic/SimpleThread.h"
#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"

// The device side: mirrors the keyboard in shapes, reads its whole state at every connection
// and turns the changes the screens publish into device commands. Every hook runs on the
// store's dispatcher thread; the constructor, the destructor, OnArrival and OnRemove run on the
// window's thread. The device link belongs to the caller and must outlive this object.
class KeyboardLogic {
public:
    using RegisterList = ShapeType<_reg_mode_t, -1, 0, 1>;   // one profile's registers by mode
    using ProfileTable = ShapeType<RegisterList, -1, 0, 0>;  // index: the active profile
    using MacroGroupList = std::list<MacroRecordGroup>;

    explicit KeyboardLogic(DeviceLink* link);
    // Closes the link, waits until no hook of this object runs and keeps later ones out, then
    // stops the workers; only then do the members go.
    ~KeyboardLogic();
    KeyboardLogic(const KeyboardLogic&) = delete;
    KeyboardLogic& operator=(const KeyboardLogic&) = delete;

    // Reactions to hot-plug events with the event's interface path. OnArrival returns whether
    // the keyboard is open now; OnRemove whether the path was the keyboard's.
    bool OnArrival(const std::string& path);
    bool OnRemove(const std::string& path);

    // Hook of the connected shape: reads the keyboard when the value is not 0, otherwise stops
    // the workers and clears the key codes.
    void OnConnectedChanged(int id, const int* data, uint32_t count, uint32_t oldCount,
                            uint32_t index, uint32_t oldIndex, int arg);

    // Command hooks.
    void OnKeyColoursChanged(int id, const rgba_t* data, uint32_t count, uint32_t oldCount,
                             uint32_t index, uint32_t oldIndex, int arg);
    void OnColourSetChanged(int id, const int* data, uint32_t count, uint32_t oldCount,
                            uint32_t index, uint32_t oldIndex, int arg);
    void OnKeyAssignment(int id, const macrokey_pack_t* data, uint32_t count, uint32_t oldCount,
                         uint32_t index, uint32_t oldIndex, int arg);
    void OnRegisterChanged(int id, const _reg_mode_t* data, uint32_t count, uint32_t oldCount,
                           uint32_t index, uint32_t oldIndex, int arg);
    void OnModeSelected(int id, const _mode_attr_t* data, uint32_t count, uint32_t oldCount,
                        uint32_t index, uint32_t oldIndex, int arg);
    void OnProfileSelected(int id, const _profile_attr_t* data, uint32_t count, uint32_t oldCount,
                           uint32_t index, uint32_t oldIndex, int arg);
    void OnFactoryReset(int id, const int* data, uint32_t count, uint32_t oldCount, uint32_t index,
                        uint32_t oldIndex, int arg);
    void OnMaskClear(int id, const int* data, uint32_t count, uint32_t oldCount, uint32_t index,
                     uint32_t oldIndex, int arg);
    void OnRecordFlag(int id, const int* data, uint32_t count, uint32_t oldCount, uint32_t index,
                      uint32_t oldIndex, int arg);
    // Answers with the keyboard's whole state in the snapshot shape; `data[0]` is a
    // shapes::SnapshotSource. Nothing is published when a query fails.
    void OnSnapshotRequested(int id, const int* data, uint32_t count, uint32_t oldCount,
                             uint32_t index, uint32_t oldIndex, int arg);

    // Loop callbacks of the two workers.
    int FirstWorkerPass(SimpleThread* thread, void* owner);
    int SecondWorkerPass(SimpleThread* thread, void* owner);

    // State for inspection; touched by the hooks only, so read it while the dispatcher is idle.
    const ProfileTable& profileTable() const { return profileTable_; }
    int macroSlotCount() const { return macroSlotCount_; }
    bool keyCodesRead() const { return keyCodesRead_; }
    const SimpleThread& firstWorker() const { return firstWorker_; }
    const SimpleThread& secondWorker() const { return secondWorker_; }

private:
    void BindHooks();
    int ConnectAtStartUp();
    void SetConnected(int value);
    int ConnectedValue();

    // The connection read; each step returns false when a query failed.
    void ReadKeyboard();
    bool ReadDeviceInfo(int& profiles, int& modes);
    bool ReadModes(int modes);
    bool ReadColourSet();
    bool ReadProfiles(int profiles, int modes);
    // Every profile's registers and current mode as the keyboard holds them; false when a query
    // failed, with the profiles read before it in `read`.
    bool QueryProfiles(int profiles, int modes, std::vector<KeyboardSnapshot::Profile>& read);
    bool ReadActiveProfile();
    void PublishProfileState();
    void ReadKeyCodes();
    bool ReadMacros();
    // The groups follow the macros read: see KeyboardLogicMacros.cpp.
    void TakeKeyboardMacros(const std::map<int, macro_block_t>& read);
    bool IsCombination(const macro_block_t& block) const;
    void PublishSlotMacros();
    void ClearKeyCodes();
    // What the keyboard holds, every table read afresh in the shape of the last connection read
    // (the profiles taken from the table when that read has just run); the logic's own state is
    // left as it is.
    bool TakeSnapshot(KeyboardSnapshot& snapshot, bool profilesJustRead);
    void TableProfiles(KeyboardSnapshot& snapshot) const;
    bool ReadSnapshotTables(KeyboardSnapshot& snapshot);

    // Assigning keys.
    bool EnsureKeyCodesRead();
    int FreeMacroSlot();
    void MarkSlotUsed(int slot, const macro_block_t& sent);
    MacroRecordGroup* GroupOf(const macro_block_t& sent);
    // Sends the table and reads it back; true when both worked. A table the keyboard refused
    // has `changed` put back to `previous`.
    bool SendAndRereadKeyCodes(macro_code_t& changed, macro_code_t previous);
    void PublishRegisterOf(RegisterList& registers);

    // Transfers that fail at once while the object is going away.
    int Send(int command, int sub, uint32_t offset, const void* data, int length);
    int Query(int command, int sub, void* dest, int length);
    void SendByte(int command, int value);
    // True when the keyboard took the report.
    bool SendControl(uint32_t offset, int value);

    MacroGroupList* Groups();

    HookGate gate_;  // first member: it must outlive every shape whose hook it guards
    shapes::MacroGroups macroGroups_;
    shapes::CombKeys combinations_;  // the settings' list: what a combination's macro is
    shapes::KeyColours keyColours_;
    shapes::Connected connected_;
    shapes::ColourSet colourSet_;
    shapes::KeyAssignment keyAssignment_;
    shapes::KeyCodes keyCodes_;
    ProfileTable profileTable_;
    SimpleThread firstWorker_;
    SimpleThread secondWorker_;
    shapes::RecordFlag recordFlag_;
    shapes::FactoryReset factoryReset_;
    shapes::MaskClear maskClear_;
    shapes::Register currentRegister_;
    shapes::Modes modes_;
    shapes::Profiles profiles_;
    shapes::KeySelection keySelection_;
    shapes::SnapshotRequest snapshotRequest_;
    shapes::Snapshot snapshot_;
    shapes::SlotMacros slotMacros_;
    DeviceLink* link_;
    int macroSlotCount_ = 0;
    // Whether the key codes in memory are the keyboard's; an assignment sends the whole table.
    bool keyCodesRead_ = false;
};
