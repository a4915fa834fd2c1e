#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/DeviceRecords.h"

// The lighting modes the emulated firmware offers. Together their flags cover every control of
// the keyboard panel, including a mode with no settings and a per-key mode.
std::vector<_mode_attr_t> DefaultModes(int count);

_mode_attr_t MakeModeAttr(std::uint16_t flags, const std::string& name);

// The factory register of a mode in a profile.
_reg_mode_t DefaultRegister(int profile, int mode, std::uint16_t flags);

// The factory colours of custom colour set `set`.
std::vector<rgba_t> DefaultColourSet(int set, int keys);
