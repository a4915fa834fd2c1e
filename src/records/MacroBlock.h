#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "records/FixedText.h"
#include "records/MacroStep.h"

// A macro as the keyboard stores it in one slot (wire layout).
struct macro_block_t {
    static constexpr std::size_t MAX_STEPS = 109;

    wire::FixedText<38> name;
    std::uint8_t repeat = 0;
    std::uint8_t count = 0;  // may claim more steps than the block holds
    macro_step_t steps[MAX_STEPS] = {};

    // The number of steps that are really there.
    std::size_t stepCount() const { return count < MAX_STEPS ? count : MAX_STEPS; }

    // Appends a step and counts it; false when the block is full.
    bool append(const macro_step_t& step);

    // Name texts up to their NUL, repeat, count and the steps that are there;
    // bytes past the name's NUL and past the last step carry no meaning.
    friend bool operator==(const macro_block_t& a, const macro_block_t& b);
};

static_assert(sizeof(macro_block_t) == 367 && alignof(macro_block_t) == 1);
static_assert(std::is_trivially_copyable_v<macro_block_t> &&
              std::is_standard_layout_v<macro_block_t>);
static_assert(offsetof(macro_block_t, name) == 0 && offsetof(macro_block_t, repeat) == 38 &&
              offsetof(macro_block_t, count) == 39 && offsetof(macro_block_t, steps) == 40);
