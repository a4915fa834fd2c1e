#include "emulator/KeyboardState.h"

#include <algorithm>

#include "emulator/DefaultModes.h"

KeyboardShape KeyboardShape::Clamped() const {
    KeyboardShape shape;
    shape.profiles = std::clamp(profiles, 1, 255);
    shape.modes = std::clamp(modes, 1, 256 / shape.profiles);
    shape.colourSets = std::clamp(colourSets, 1, 255);
    shape.macroSlots = std::clamp(macroSlots, 1, 255);
    return shape;
}

KeyboardState KeyboardState::Defaults(const KeyboardShape& requested) {
    KeyboardState state;
    state.shape = requested.Clamped();
    const KeyboardShape& shape = state.shape;
    state.info.setProfileCount(static_cast<std::uint16_t>(shape.profiles));
    state.info.setModeCount(static_cast<std::uint16_t>(shape.modes));
    state.info.setMacroSlotCount(static_cast<std::uint16_t>(shape.macroSlots));
    state.modes = DefaultModes(shape.modes);
    for (int p = 0; p < shape.profiles; ++p) {
        for (int m = 0; m < shape.modes; ++m) {
            state.registers.push_back(DefaultRegister(p, m, state.modes[m].flags()));
        }
    }
    // Profiles start on different modes: the first static, the second a wave, the third the
    // per-key mode.
    const int firstModes[] = {0, 2, 8};
    for (int p = 0; p < shape.profiles; ++p) {
        int mode = p < 3 ? firstModes[p] : p;
        state.profileModes.push_back(static_cast<std::uint8_t>(mode % shape.modes));
    }
    for (int s = 0; s < shape.colourSets; ++s) {
        std::vector<rgba_t> colours = DefaultColourSet(s, kKeyColourCount);
        KeyColourSet set;
        std::copy(colours.begin(), colours.end(), set.begin());
        state.colourSets.push_back(set);
    }
    state.macroSlots.resize(shape.macroSlots);
    return state;
}

bool KeyboardState::Consistent() const {
    return shape == shape.Clamped() && static_cast<int>(modes.size()) == shape.modes &&
           static_cast<int>(registers.size()) == shape.profiles * shape.modes &&
           static_cast<int>(profileModes.size()) == shape.profiles &&
           static_cast<int>(colourSets.size()) == shape.colourSets &&
           static_cast<int>(macroSlots.size()) == shape.macroSlots &&
           activeProfile < shape.profiles && selectedColourSet < shape.colourSets &&
           std::all_of(profileModes.begin(), profileModes.end(),
                       [this](std::uint8_t m) { return m < shape.modes; });
}
