#pragma once

#include <cstdint>

// Bounds on what a keyboard may claim in its information block. Real keyboards stay far below
// them; a block beyond them is garbage and ends the connection read.
inline constexpr std::uint16_t kMaxProfiles = 64;
inline constexpr std::uint16_t kMaxModes = 256;

// The keyboard keeps four custom colour sets; the window numbers them from 1.
inline constexpr int kColourSetCount = 4;
