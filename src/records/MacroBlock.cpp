#include "records/MacroBlock.h"

#include <algorithm>

bool macro_block_t::append(const macro_step_t& step) {
    if (count >= MAX_STEPS) return false;
    steps[count++] = step;
    return true;
}

bool operator==(const macro_block_t& a, const macro_block_t& b) {
    return a.name == b.name && a.repeat == b.repeat && a.count == b.count &&
           std::equal(a.steps, a.steps + a.stepCount(), b.steps);
}
