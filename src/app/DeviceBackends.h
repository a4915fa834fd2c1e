#pragma once
// The HID backend the program talks to: the real keyboard or one of the emulated setups.
#include <filesystem>
#include <memory>

#include "app/LaunchOptions.h"
#include "device/HidBackend.h"

// Where the emulated keyboard keeps its settings between runs: the user's config folder
// ($XDG_CONFIG_HOME/keylume, or ~/.config/keylume), whatever folder the program runs from.
std::filesystem::path EmulatedKeyboardStateFile();

// A null state file keeps the emulated keyboard's settings in memory only.
std::shared_ptr<HidBackend> MakeHidBackend(Emulation emulation,
                                           const std::filesystem::path& stateFile);
