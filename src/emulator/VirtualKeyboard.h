#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

#include "device/DeviceCommand.h"
#include "device/FeaturePacket.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/KeyboardState.h"

// A firmware model of the keyboard: answers every command of the feature-report protocol from
// its memory and keeps what is written. A query request prepares the answer that the next get
// report returns; the answer echoes the request's command (with bit 7), offset and sub.
// All members may be called from any thread.
class VirtualKeyboard {
public:
    explicit VirtualKeyboard(const KeyboardShape& shape = {});

    // Keeps the memory in file from now on: loads it when the file is intact and of this
    // keyboard's shape, otherwise starts from factory settings, and saves after every change.
    // Returns whether the stored state was loaded.
    bool UseStateFile(const std::filesystem::path& file);

    // One set report: a query request or a write. False when the keyboard refuses it.
    bool Receive(const FeaturePacket& packet);
    // One get report: the answer prepared by the last query request, once.
    std::optional<FeaturePacket> Answer();

    // Answers DeviceInfo with a fixed pattern of noise instead of the real block.
    void SetGarbageInformation(bool on);

    // Inspection, each a consistent copy. Indexes out of range throw std::out_of_range.
    KeyboardState State() const;
    KeyboardShape Shape() const;
    int ActiveProfile() const;
    int ProfileMode(int profile) const;
    _reg_mode_t Register(int profile, int mode) const;
    _mode_attr_t Mode(int mode) const;
    int SelectedColourSet() const;
    KeyColourSet Colours(int set) const;
    KeyCodeTable KeyCodes() const;
    macro_block_t Macro(int slot) const;
    std::uint16_t Masks() const;
    int FactoryResets() const;
    int MaskClears() const;

    // Prepares the memory for a test or the demo; the change is saved like any other.
    // A change that alters the shape or a table's size is not taken (false).
    bool Modify(const std::function<void(KeyboardState&)>& change);
    void FactoryReset();

private:
    template <class Reader>
    auto Read(Reader reader) const {
        std::lock_guard lock(mutex_);
        return reader(state_);
    }
    void SaveLocked();

    mutable std::mutex mutex_;
    KeyboardState state_;
    std::optional<FeaturePacket> answer_;
    std::optional<std::filesystem::path> stateFile_;
    bool garbageInformation_ = false;
    int factoryResets_ = 0;
    int maskClears_ = 0;
};
