#pragma once

#include <filesystem>
#include <optional>

#include "emulator/KeyboardState.h"

// The emulated keyboard's memory between runs, so the demo keyboard keeps its settings as a
// real one does. Binary: a tag and version, the shape, the writable tables in wire layout and a
// checksum over all of it. Mode descriptions and the information block belong to the firmware
// and are not stored.

// Replaces the file in one step (files::FileReplacer), so a crash never leaves half a file.
// Returns false when the file could not be written.
bool SaveKeyboardState(const KeyboardState& state, const std::filesystem::path& file);

// The stored state when the file is intact and holds a keyboard of this shape; nothing when it
// is missing, truncated, altered or of another shape.
std::optional<KeyboardState> LoadKeyboardState(const std::filesystem::path& file,
                                               const KeyboardShape& shape);
