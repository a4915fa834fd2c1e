// How a macro reads when an import lists it: in the order its keys are pressed.
#include <gtest/gtest.h>

#include "persist/AssignmentChanges.h"

namespace {

struct Spelled {
    std::vector<std::pair<std::uint8_t, unsigned>> steps;  // usage, state (0 down, 1 up)
    const char* text;
};

class SpellMacro : public ::testing::TestWithParam<Spelled> {};

TEST_P(SpellMacro, ReadsAsTyped) {
    macro_block_t block;
    for (const auto& [usage, state] : GetParam().steps)
        block.append(macro_step_t::make(usage, 10, state));
    EXPECT_EQ(persist::SpellMacro(block), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpellMacro,
    ::testing::Values(Spelled{{}, "no keys"},
                      Spelled{{{0x04, 0}, {0x04, 1}, {0x05, 0}, {0x05, 1}}, "a b"},
                      // Win pressed and let go alone opens the menu: it is a keystroke.
                      Spelled{{{0xE3, 0}, {0xE3, 1}, {0x04, 0}}, "Win, a"},
                      Spelled{{{0xE5, 0}, {0x04, 0}, {0x04, 1}, {0xE5, 1}, {0x2C, 0}},
                              "Shift+A, SpaceBar"},
                      // Only presses count; a lone release types nothing.
                      Spelled{{{0x04, 1}, {0x3A, 0}}, "F1"}));

}  // namespace
