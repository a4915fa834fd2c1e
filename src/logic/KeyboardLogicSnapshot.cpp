// The keyboard's whole state as one value, for a backup and for checking a restore.

#include "device/FeatureTransport.h"
#include "device/HidPath.h"
#include "logic/DeviceLimits.h"
#include "logic/KeyboardLogic.h"

void KeyboardLogic::OnSnapshotRequested(int, const int* data, uint32_t count, uint32_t, uint32_t,
                                        uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0 || ConnectedValue() == 0) return;
    // The profiles in memory follow what was sent, not what the keyboard took: a check of a
    // restore reads them from the keyboard again.
    if (data[0] == shapes::kAfterRead) ReadKeyboard();
    KeyboardSnapshot snapshot;
    if (!TakeSnapshot(snapshot)) return;
    if (snapshot_.count == 0) snapshot_.store(nullptr, 1, false);
    snapshot_.current() = std::move(snapshot);
    snapshot_.fireOthers(shapes::kApply, false);
}

bool KeyboardLogic::TakeSnapshot(KeyboardSnapshot& snapshot) {
    snapshot.productId = kKeyboardProductId;
    for (uint32_t m = 0; m < modes_.count; ++m)
        snapshot.modeNames.emplace_back(modes_.data()[m].name.text());
    for (uint32_t p = 0; p < profileTable_.count; ++p) {
        const RegisterList& registers = profileTable_.data()[p];
        // A profile that lost its registers would be restored as nothing: refuse the snapshot.
        if (registers.count != modes_.count) return false;
        KeyboardSnapshot::Profile profile;
        profile.activeMode = static_cast<int>(registers.index());
        profile.registers.assign(registers.data(), registers.data() + registers.count);
        snapshot.profiles.push_back(std::move(profile));
    }
    if (snapshot.profiles.empty()) return false;
    snapshot.activeProfile = static_cast<int>(profileTable_.index());
    return ReadSnapshotTables(snapshot);
}

bool KeyboardLogic::ReadSnapshotTables(KeyboardSnapshot& snapshot) {
    uint8_t set = 0;
    if (!Query(ColourSet, 0, &set, 1)) return false;
    snapshot.activeColourSet = set;
    for (int s = 0; s < kColourSetCount; ++s) {
        std::vector<rgba_t> colours(keyColours_.count);
        if (!Query(KeyColours, s, colours.data(),
                   static_cast<int>(colours.size() * sizeof(rgba_t))))
            return false;
        snapshot.colourSets.push_back(std::move(colours));
    }
    snapshot.keyCodes.resize(keyCodes_.count);
    const int length = static_cast<int>(snapshot.keyCodes.size() * sizeof(macro_code_t));
    if (!Query(KeyCodes, 0, snapshot.keyCodes.data(), length)) return false;
    for (const macro_code_t& code : snapshot.keyCodes) {
        const int slot = code.value();
        if (!code.playsMacro() || slot >= macroSlotCount_ || snapshot.macros.count(slot)) continue;
        macro_block_t block;
        if (!Query(MacroSlot, slot, &block, sizeof block)) return false;
        snapshot.macros[slot] = block;
    }
    return true;
}
