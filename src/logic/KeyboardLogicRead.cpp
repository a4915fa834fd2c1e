// The connection read: the keyboard's whole state, read into the shapes and published.

#include "device/FeatureTransport.h"
#include "logic/DeviceLimits.h"
#include "logic/KeyboardLogic.h"
#include "logic/MacroBlockCodec.h"

void KeyboardLogic::ReadKeyboard() {
    firstWorker_.Start(this);
    secondWorker_.Start(this);
    int profiles = 0, modes = 0;
    if (!ReadDeviceInfo(profiles, modes)) return;
    if (!ReadModes(modes)) return;
    if (!ReadColourSet()) return;
    if (!ReadProfiles(profiles, modes)) return;
    if (!ReadActiveProfile()) return;
    PublishProfileState();
    ReadKeyCodes();
    ReadMacros();
}

bool KeyboardLogic::ReadDeviceInfo(int& profiles, int& modes) {
    keyboard_info_t info;
    if (!Query(DeviceInfo, 0, info.bytes, keyboard_info_t::SIZE)) return false;
    // Counts beyond the bounds would mean billions of queries: treat the block as unreadable.
    if (info.profileCount() > kMaxProfiles || info.modeCount() > kMaxModes) return false;
    profiles = info.profileCount();
    modes = info.modeCount();
    macroSlotCount_ = info.macroSlotCount();
    return true;
}

bool KeyboardLogic::ReadModes(int modes) {
    modes_.store(nullptr, 0, false);
    for (int i = 0; i < modes; ++i) {
        _mode_attr_t mode{};
        if (!Query(ModeAttributes, i, &mode, sizeof mode)) return false;
        modes_.push_back(mode);
    }
    return true;
}

bool KeyboardLogic::ReadColourSet() {
    uint8_t set = 0;
    if (!Query(ColourSet, 0, &set, 1)) return false;
    int value = set;
    if (colourSet_.count == 0) colourSet_.store(&value, 1, false);
    colourSet_.current() = value;
    return true;
}

bool KeyboardLogic::ReadProfiles(int profiles, int modes) {
    profiles_.store(nullptr, 0, false);
    profileTable_.store(nullptr, 0, false);
    std::vector<KeyboardSnapshot::Profile> read;
    const bool complete = QueryProfiles(profiles, modes, read);
    for (const KeyboardSnapshot::Profile& profile : read) {
        RegisterList registers;
        for (const _reg_mode_t& reg : profile.registers) registers.push_back(reg);
        if (static_cast<uint32_t>(profile.activeMode) < registers.count)
            registers.selection.index = static_cast<uint32_t>(profile.activeMode);
        profiles_.push_back(_profile_attr_t::numbered(static_cast<int>(profileTable_.count)));
        profileTable_.push_back(registers);
    }
    return complete;
}

bool KeyboardLogic::QueryProfiles(int profiles, int modes,
                                  std::vector<KeyboardSnapshot::Profile>& read) {
    for (int p = 0; p < profiles; ++p) {
        KeyboardSnapshot::Profile profile;
        for (int m = 0; m < modes; ++m) {
            _reg_mode_t reg{};
            if (!Query(ModeRegister, p * modes + m, &reg, sizeof reg)) return false;
            profile.registers.push_back(reg);
        }
        uint8_t mode = 0;
        if (!Query(ProfileMode, p, &mode, 1)) return false;
        profile.activeMode = mode;
        read.push_back(std::move(profile));
    }
    return true;
}

bool KeyboardLogic::ReadActiveProfile() {
    uint8_t active = 0;
    if (!Query(ActiveProfile, 0, &active, 1)) return false;
    if (active < profileTable_.count) profileTable_.selection.index = active;
    return true;
}

void KeyboardLogic::PublishProfileState() {
    try {
        RegisterList& current = profileTable_.current();
        if (current.index() < modes_.count) modes_.selection.index = current.index();
        modes_.fireOthers(shapes::kApply, false);
        PublishRegisterOf(current);
        colourSet_.fireOthers(shapes::kAlreadyApplied, false);
        // The own colour-set hook then reads that set's key colours, after everything below.
        colourSet_.fireSelf(shapes::kAlreadyApplied, SelfDelivery::Queued);
        if (profileTable_.index() < profiles_.count) {
            profiles_.selection.index = profileTable_.index();
        }
        profiles_.fireOthers(shapes::kApply, true);
    } catch (const ShapeException&) {
        // No profiles, or a profile without modes: nothing more to show.
    }
}

void KeyboardLogic::PublishRegisterOf(RegisterList& registers) {
    const _reg_mode_t& reg = registers.current();
    if (currentRegister_.count == 0) currentRegister_.store(&reg, 1, false);
    currentRegister_.current() = reg;
    currentRegister_.fireOthers(shapes::kApply, false);
}

void KeyboardLogic::ReadKeyCodes() {
    keyCodes_.store(nullptr, keyCodes_.count, false);
    int length = static_cast<int>(keyCodes_.count * sizeof(macro_code_t));
    keyCodesRead_ = length > 0 && Query(KeyCodes, 0, keyCodes_.data(), length) != 0;
    keyCodes_.fireOthers(shapes::kApply, false);
}

bool KeyboardLogic::ReadMacros() {
    std::map<int, macro_block_t> read;
    bool complete = true;
    for (uint32_t key = 0; key < keyCodes_.count && complete; ++key) {
        const macro_code_t code = keyCodes_.data()[key];
        const int slot = code.value();
        // Keys that share a slot share its macro: one query is enough.
        if (!code.playsMacro() || slot >= macroSlotCount_ || read.count(slot)) continue;
        macro_block_t block;
        complete = Query(MacroSlot, slot, &block, sizeof block) != 0;
        if (complete && block.count != 0) read[slot] = block;
    }
    // What was read before a failed query still counts.
    TakeKeyboardMacros(read);
    return complete;
}
