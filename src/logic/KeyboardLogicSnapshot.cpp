// The keyboard's whole state as one value, for a backup and for checking a restore.

#include "device/FeatureTransport.h"
#include "device/HidPath.h"
#include "logic/DeviceLimits.h"
#include "logic/KeyboardLogic.h"

void KeyboardLogic::OnSnapshotRequested(int, const int* data, uint32_t count, uint32_t, uint32_t,
                                        uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0 || ConnectedValue() == 0) return;
    // Read again as at a connection, the screens show what the keyboard holds too.
    const bool reread = data[0] == shapes::kAfterRead;
    if (reread) ReadKeyboard();
    KeyboardSnapshot snapshot;
    if (!TakeSnapshot(snapshot, reread)) return;
    if (snapshot_.count == 0) snapshot_.store(nullptr, 1, false);
    snapshot_.current() = std::move(snapshot);
    snapshot_.fireOthers(shapes::kApply, false);
}

bool KeyboardLogic::TakeSnapshot(KeyboardSnapshot& snapshot, bool profilesJustRead) {
    snapshot.productId = kKeyboardProductId;
    for (uint32_t m = 0; m < modes_.count; ++m)
        snapshot.modeNames.emplace_back(modes_.data()[m].name.text());
    if (profileTable_.count == 0) return false;
    if (profilesJustRead) {
        TableProfiles(snapshot);
    } else {
        const auto profiles = static_cast<int>(profileTable_.count);
        if (!QueryProfiles(profiles, static_cast<int>(modes_.count), snapshot.profiles))
            return false;
        uint8_t active = 0;
        if (!Query(ActiveProfile, 0, &active, 1)) return false;
        snapshot.activeProfile = active;
    }
    return ReadSnapshotTables(snapshot);
}

void KeyboardLogic::TableProfiles(KeyboardSnapshot& snapshot) const {
    for (uint32_t p = 0; p < profileTable_.count; ++p) {
        const RegisterList& registers = profileTable_.data()[p];
        snapshot.profiles.push_back({static_cast<int>(registers.index()),
                                     {registers.data(), registers.data() + registers.count}});
    }
    snapshot.activeProfile = static_cast<int>(profileTable_.index());
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
