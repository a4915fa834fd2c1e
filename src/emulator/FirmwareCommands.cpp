#include "emulator/FirmwareCommands.h"

#include <algorithm>
#include <cstring>

#include "device/DeviceCommand.h"

namespace {

using Region = std::optional<std::span<const std::uint8_t>>;

template <class T>
std::span<const std::uint8_t> Whole(const T& record) {
    return {BytesOf(record), sizeof(T)};
}

template <class T>
std::span<std::uint8_t> Whole(T& record) {
    return {BytesOf(record), sizeof(T)};
}

void CopyInto(std::span<std::uint8_t> target, std::uint32_t offset, const std::uint8_t* data,
              std::size_t length) {
    if (offset >= target.size() || data == nullptr) return;
    std::memcpy(target.data() + offset, data, std::min(length, target.size() - offset));
}

// One-byte selections: only the first data byte at offset 0 counts, and only when in range.
void Select(std::uint8_t& target, int count, std::uint32_t offset, const std::uint8_t* data,
            std::size_t length) {
    if (offset == 0 && length >= 1 && data != nullptr && data[0] < count) target = data[0];
}

void ApplyControl(KeyboardState& state, std::uint32_t offset, const std::uint8_t* data,
                  std::size_t length, ControlEffects& effects) {
    CopyInto(state.control, offset, data, length);
    auto written = [&](std::uint32_t at) { return offset <= at && at + 2 <= offset + length; };
    auto value = [&](std::uint32_t at) {
        return static_cast<std::uint16_t>(state.control[at] | state.control[at + 1] << 8);
    };
    if (written(kControlMaskClearOffset)) {
        state.masks &= static_cast<std::uint16_t>(~value(kControlMaskClearOffset));
        effects.masksCleared = true;
    }
    if (written(kControlFactoryResetOffset) && value(kControlFactoryResetOffset) == 0xFFFF) {
        effects.factoryReset = true;
    }
}

}  // namespace

Region QueryRegion(const KeyboardState& state, std::uint8_t command, std::uint8_t sub) {
    const KeyboardShape& shape = state.shape;
    switch (command) {
        case DeviceInfo:
            return sub == 0 ? Region(Whole(state.info)) : std::nullopt;
        case DeviceControl:
            return sub == 0 ? Region(Whole(state.control)) : std::nullopt;
        case ModeAttributes:
            return sub < shape.modes ? Region(Whole(state.modes[sub])) : std::nullopt;
        case ProfileMode:
            return sub < shape.profiles ? Region(Whole(state.profileModes[sub])) : std::nullopt;
        case ModeRegister:
            return sub < state.registers.size() ? Region(Whole(state.registers[sub]))
                                                : std::nullopt;
        case ActiveProfile:
            return sub == 0 ? Region(Whole(state.activeProfile)) : std::nullopt;
        case KeyColours:
            return sub < shape.colourSets ? Region(Whole(state.colourSets[sub])) : std::nullopt;
        case ColourSet:
            return sub == 0 ? Region(Whole(state.selectedColourSet)) : std::nullopt;
        case KeyCodes:
            return sub == 0 ? Region(Whole(state.keyCodes)) : std::nullopt;
        case MacroSlot:
            return sub < shape.macroSlots ? Region(Whole(state.macroSlots[sub])) : std::nullopt;
        default:
            return std::nullopt;
    }
}

bool ApplyWrite(KeyboardState& state, std::uint8_t command, std::uint8_t sub, std::uint32_t offset,
                const std::uint8_t* data, std::size_t length, ControlEffects& effects) {
    const KeyboardShape& shape = state.shape;
    switch (command) {
        case DeviceControl:
            if (sub != 0) return false;
            ApplyControl(state, offset, data, length, effects);
            return true;
        case ProfileMode:
            if (sub != 0) return false;
            Select(state.profileModes[state.activeProfile], shape.modes, offset, data, length);
            return true;
        case ModeRegister:
            if (sub >= state.registers.size()) return false;
            CopyInto(Whole(state.registers[sub]), offset, data, length);
            return true;
        case ActiveProfile:
            if (sub != 0) return false;
            Select(state.activeProfile, shape.profiles, offset, data, length);
            return true;
        case KeyColours:
            if (sub != 0) return false;
            CopyInto(Whole(state.colourSets[state.selectedColourSet]), offset, data, length);
            return true;
        case ColourSet:
            if (sub != 0) return false;
            Select(state.selectedColourSet, shape.colourSets, offset, data, length);
            return true;
        case KeyCodes:
            if (sub != 0) return false;
            CopyInto(Whole(state.keyCodes), offset, data, length);
            return true;
        case MacroSlot:
            if (sub >= shape.macroSlots) return false;
            CopyInto(Whole(state.macroSlots[sub]), offset, data, length);
            return true;
        default:
            return false;  // DeviceInfo and ModeAttributes are read-only
    }
}
