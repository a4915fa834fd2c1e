#include "emulator/VirtualKeyboard.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "device/DeviceCommand.h"
#include "emulator/FirmwareCommands.h"
#include "emulator/KeyboardStateFile.h"

namespace {

const keyboard_info_t& GarbageInformation() {
    static const keyboard_info_t garbage = [] {
        keyboard_info_t info;
        std::uint32_t seed = 0x2545F491u;
        for (std::uint8_t& byte : info.bytes) {
            seed = seed * 1103515245u + 12345u;
            byte = static_cast<std::uint8_t>(seed >> 16);
        }
        return info;
    }();
    return garbage;
}

}  // namespace

VirtualKeyboard::VirtualKeyboard(const KeyboardShape& shape)
    : state_(KeyboardState::Defaults(shape)) {}

bool VirtualKeyboard::UseStateFile(const std::filesystem::path& file) {
    std::lock_guard lock(mutex_);
    stateFile_ = file;
    std::optional<KeyboardState> stored = LoadKeyboardState(file, state_.shape);
    state_ = stored ? std::move(*stored) : KeyboardState::Defaults(state_.shape);
    SaveLocked();
    return stored.has_value();
}

bool VirtualKeyboard::Receive(const FeaturePacket& packet) {
    std::lock_guard lock(mutex_);
    answer_.reset();
    const auto command = static_cast<std::uint8_t>(packet.command & ~kQueryFlag);
    if (packet.command & kQueryFlag) {
        auto region = QueryRegion(state_, command, packet.sub);
        if (!region) return false;
        if (command == DeviceInfo && garbageInformation_) {
            region = std::span<const std::uint8_t>(GarbageInformation().bytes);
        }
        FeaturePacket& answer = answer_.emplace(packet);
        std::memset(answer.data, 0, sizeof answer.data);
        std::size_t available = packet.offset < region->size() ? region->size() - packet.offset : 0;
        std::size_t n = std::min<std::size_t>({packet.length, available, kFeatureDataSize});
        if (n > 0) std::memcpy(answer.data, region->data() + packet.offset, n);
        answer.length = static_cast<std::uint16_t>(n);
        return true;
    }
    ControlEffects effects;
    std::size_t length = std::min<std::size_t>(packet.length, kFeatureDataSize);
    if (!ApplyWrite(state_, command, packet.sub, packet.offset, packet.data, length, effects)) {
        return false;
    }
    if (effects.masksCleared) ++maskClears_;
    if (effects.factoryReset) {
        ++factoryResets_;
        state_ = KeyboardState::Defaults(state_.shape);
    }
    SaveLocked();
    return true;
}

std::optional<FeaturePacket> VirtualKeyboard::Answer() {
    std::lock_guard lock(mutex_);
    std::optional<FeaturePacket> answer = std::move(answer_);
    answer_.reset();
    return answer;
}

void VirtualKeyboard::SetGarbageInformation(bool on) {
    std::lock_guard lock(mutex_);
    garbageInformation_ = on;
}

void VirtualKeyboard::SaveLocked() {
    if (stateFile_) SaveKeyboardState(state_, *stateFile_);
}

KeyboardState VirtualKeyboard::State() const {
    return Read([](const KeyboardState& state) { return state; });
}

KeyboardShape VirtualKeyboard::Shape() const {
    return Read([](const KeyboardState& state) { return state.shape; });
}

int VirtualKeyboard::ActiveProfile() const {
    return Read([](const KeyboardState& state) { return int{state.activeProfile}; });
}

int VirtualKeyboard::ProfileMode(int profile) const {
    return Read([=](const KeyboardState& state) { return int{state.profileModes.at(profile)}; });
}

_reg_mode_t VirtualKeyboard::Register(int profile, int mode) const {
    return Read([=](const KeyboardState& state) {
        if (mode < 0 || mode >= state.shape.modes) throw std::out_of_range("mode");
        return state.registers.at(static_cast<std::size_t>(profile * state.shape.modes + mode));
    });
}

_mode_attr_t VirtualKeyboard::Mode(int mode) const {
    return Read([=](const KeyboardState& state) { return state.modes.at(mode); });
}

int VirtualKeyboard::SelectedColourSet() const {
    return Read([](const KeyboardState& state) { return int{state.selectedColourSet}; });
}

KeyColourSet VirtualKeyboard::Colours(int set) const {
    return Read([=](const KeyboardState& state) { return state.colourSets.at(set); });
}

KeyCodeTable VirtualKeyboard::KeyCodes() const {
    return Read([](const KeyboardState& state) { return state.keyCodes; });
}

macro_block_t VirtualKeyboard::Macro(int slot) const {
    return Read([=](const KeyboardState& state) { return state.macroSlots.at(slot); });
}

std::uint16_t VirtualKeyboard::Masks() const {
    return Read([](const KeyboardState& state) { return state.masks; });
}

int VirtualKeyboard::FactoryResets() const {
    std::lock_guard lock(mutex_);
    return factoryResets_;
}

int VirtualKeyboard::MaskClears() const {
    std::lock_guard lock(mutex_);
    return maskClears_;
}

bool VirtualKeyboard::Modify(const std::function<void(KeyboardState&)>& change) {
    std::lock_guard lock(mutex_);
    KeyboardState changed = state_;
    change(changed);
    if (!(changed.shape == state_.shape) || !changed.Consistent()) return false;
    state_ = std::move(changed);
    SaveLocked();
    return true;
}

void VirtualKeyboard::FactoryReset() {
    std::lock_guard lock(mutex_);
    state_ = KeyboardState::Defaults(state_.shape);
    SaveLocked();
}
