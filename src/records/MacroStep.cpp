#include "records/MacroStep.h"

#include <algorithm>

macro_step_t macro_step_t::make(std::uint8_t key, unsigned delay, unsigned state) {
    macro_step_t step;
    step.key = key;
    step.setDelay(delay);
    step.setState(state);
    return step;
}

void macro_step_t::setDelay(unsigned delay) {
    const unsigned stored = std::min<unsigned>(delay, MAX_DELAY);
    delayLow = static_cast<std::uint8_t>(stored & 0xFF);
    delayHighAndState = static_cast<std::uint8_t>((delayHighAndState & STATE_BIT) | (stored >> 8));
}

void macro_step_t::setState(unsigned state) {
    delayHighAndState =
        static_cast<std::uint8_t>((delayHighAndState & ~STATE_BIT) | ((state & 1) ? STATE_BIT : 0));
}
