#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "emulator/KeyboardState.h"

// What the firmware does with one command on its memory. The keyboard refuses (stalls) a
// command it does not know, a direction the command does not have, and a sub past its table.

// The bytes a query of (command, sub) reads, or nothing when refused.
std::optional<std::span<const std::uint8_t>> QueryRegion(const KeyboardState& state,
                                                         std::uint8_t command, std::uint8_t sub);

// Side effects of a write to the control block.
struct ControlEffects {
    bool factoryReset = false;
    bool masksCleared = false;
};

// Applies a write of length bytes at offset. Bytes past the end of the target are dropped, and
// a one-byte selection (profile, mode, colour set) out of range is accepted but ignored, as the
// keyboard keeps its current choice. Returns false when refused.
bool ApplyWrite(KeyboardState& state, std::uint8_t command, std::uint8_t sub, std::uint32_t offset,
                const std::uint8_t* data, std::size_t length, ControlEffects& effects);
