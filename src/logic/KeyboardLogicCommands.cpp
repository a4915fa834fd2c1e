// The command hooks: changes published by the screens become device commands.

#include <vector>

#include "device/FeatureTransport.h"
#include "logic/KeyboardLogic.h"
#include "logic/MacroBlockCodec.h"

namespace {

constexpr unsigned kTypeShift = 12;
constexpr unsigned kLastDirectType = 2;

}  // namespace

void KeyboardLogic::SendByte(int command, int value) {
    auto byte = static_cast<uint8_t>(value);
    Send(command, 0, 0, &byte, 1);
}

bool KeyboardLogic::SendControl(uint32_t offset, int value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return Send(DeviceControl, 0, offset, bytes, 2) > 0;
}

void KeyboardLogic::OnKeyColoursChanged(int, const rgba_t* data, uint32_t count, uint32_t, uint32_t,
                                        uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass) return;
    Send(KeyColours, 0, 0, data, static_cast<int>(count * sizeof(rgba_t)));
}

void KeyboardLogic::OnColourSetChanged(int, const int* data, uint32_t count, uint32_t, uint32_t,
                                       uint32_t, int arg) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0) return;
    const int set = data[0];
    if (arg == shapes::kApply) {
        auto byte = static_cast<uint8_t>(set);
        if (!Send(ColourSet, 0, 0, &byte, 1)) return;
    }
    int length = static_cast<int>(keyColours_.count * sizeof(rgba_t));
    if (length > 0 && Query(KeyColours, set, keyColours_.data(), length)) {
        keyColours_.fireOthers(shapes::kApply, false);
    }
}

void KeyboardLogic::OnKeyAssignment(int, const macrokey_pack_t* data, uint32_t count, uint32_t,
                                    uint32_t, uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0) return;
    const macrokey_pack_t request = data[0];
    if (ConnectedValue() == 0) return;
    if (request.key() >= keyCodes_.count) return;
    if (!EnsureKeyCodesRead()) return;
    macro_code_t& code = keyCodes_.data()[request.key()];
    const macro_code_t previous = code;
    const unsigned type = request.type();
    int slot = -1;
    if (type <= kLastDirectType) {
        code.setCode(static_cast<uint16_t>(type << kTypeShift | (request.code() & 0x0FFF)));
    } else {
        if (macroSlotCount_ <= 0) return;
        slot = FreeMacroSlot();
        if (slot < 0) return;
        const auto typeBits = static_cast<uint16_t>(type << kTypeShift);
        const unsigned value = (typeBits >> kTypeShift) <= kLastDirectType
                                   ? request.code() & 0x0FFFu
                                   : static_cast<unsigned>(slot);
        code.setCode(static_cast<uint16_t>(typeBits | value));
        if (!Send(MacroSlot, slot, 0, &request.macro, sizeof request.macro)) {
            // The next table sent must not point the key at a slot that never got its macro.
            code = previous;
            return;
        }
    }
    // Only a table written and read back makes it certain that the key plays the slot.
    if (SendAndRereadKeyCodes(code, previous) && slot >= 0) MarkSlotUsed(slot, request.macro);
}

// An assignment sends the whole table: without the keyboard's own table in memory it would
// wipe every other key.
bool KeyboardLogic::EnsureKeyCodesRead() {
    if (keyCodesRead_) return true;
    int length = static_cast<int>(keyCodes_.count * sizeof(macro_code_t));
    keyCodesRead_ = Query(KeyCodes, 0, keyCodes_.data(), length) != 0;
    return keyCodesRead_;
}

bool KeyboardLogic::SendAndRereadKeyCodes(macro_code_t& changed, macro_code_t previous) {
    const int length = static_cast<int>(keyCodes_.count * sizeof(macro_code_t));
    if (!Send(KeyCodes, 0, 0, keyCodes_.data(), length)) {
        // The keyboard kept its table; so does the memory, or the next table sent would carry
        // this change after all.
        changed = previous;
        return false;
    }
    if (!Query(KeyCodes, 0, keyCodes_.data(), length)) return false;
    keyCodes_.fireOthers(shapes::kApply, false);
    return true;
}

// A slot is free when no key plays it, by the keyboard's own table, and no group names it: the
// groups alone may have been edited since their macros went to the keyboard.
int KeyboardLogic::FreeMacroSlot() {
    std::vector<bool> taken(static_cast<std::size_t>(macroSlotCount_), false);
    auto take = [&](int slot) {
        if (slot >= 0 && slot < macroSlotCount_) taken[static_cast<std::size_t>(slot)] = true;
    };
    for (uint32_t key = 0; key < keyCodes_.count; ++key) {
        const macro_code_t code = keyCodes_.data()[key];
        if (code.playsMacro()) take(code.value());
    }
    if (MacroGroupList* groups = Groups()) {
        for (const MacroRecordGroup& group : *groups) {
            if (group.info.count > 0) take(group.info.current().id);
        }
    }
    for (int slot = 0; slot < macroSlotCount_; ++slot) {
        if (!taken[static_cast<std::size_t>(slot)]) return slot;
    }
    return -1;
}

void KeyboardLogic::OnRegisterChanged(int, const _reg_mode_t* data, uint32_t count, uint32_t,
                                      uint32_t, uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0) return;
    try {
        RegisterList& registers = profileTable_.current();
        registers.current() = data[0];
        int sub = static_cast<int>(profileTable_.index() * registers.count + registers.index());
        Send(ModeRegister, sub, 0, &data[0], sizeof data[0]);
    } catch (const ShapeException&) {
        // No profiles or no modes: nothing to send.
    }
}

void KeyboardLogic::OnModeSelected(int, const _mode_attr_t*, uint32_t, uint32_t, uint32_t index,
                                   uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass) return;
    try {
        RegisterList& registers = profileTable_.current();
        if (index < registers.count) registers.selection.index = index;
        PublishRegisterOf(registers);
        SendByte(ProfileMode, static_cast<int>(index));
    } catch (const ShapeException&) {
        // No profile read yet: there is no register to show and nothing to send.
    }
}

void KeyboardLogic::OnProfileSelected(int, const _profile_attr_t*, uint32_t, uint32_t,
                                      uint32_t index, uint32_t, int arg) {
    HookGate::Pass pass(gate_);
    if (!pass) return;
    try {
        if (index < profileTable_.count) profileTable_.selection.index = index;
        RegisterList& registers = profileTable_.current();
        PublishRegisterOf(registers);
        if (registers.index() < modes_.count) {
            modes_.selection.index = registers.index();
            modes_.fireOthers(shapes::kApply, false);
        }
        if (arg == shapes::kApply) SendByte(ActiveProfile, static_cast<int>(index));
    } catch (const ShapeException&) {
        // No profile read yet: the choice has nothing to select or send.
    }
}

void KeyboardLogic::OnFactoryReset(int, const int* data, uint32_t count, uint32_t, uint32_t,
                                   uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0) return;
    // The keyboard has changed by itself: the screens show what it holds now.
    if (SendControl(kControlFactoryResetOffset, data[0])) ReadKeyboard();
}

void KeyboardLogic::OnMaskClear(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                                int) {
    HookGate::Pass pass(gate_);
    if (!pass || count == 0) return;
    if (SendControl(kControlMaskClearOffset, data[0])) ReadKeyboard();
}

void KeyboardLogic::OnRecordFlag(int, const int*, uint32_t, uint32_t, uint32_t, uint32_t, int) {}
