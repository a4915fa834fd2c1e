#pragma once
// Which settings a lighting mode takes, from its capability flags, in the names `set` uses.
#include <cstdint>
#include <string>
#include <vector>

#include "ops/KeyboardRequests.h"

namespace modesettings {

// "brightness", "speed", "direction (left, right)", ... in option order.
std::vector<std::string> Describe(std::uint16_t flags);
// The same as one line: "brightness, speed, ..." or "no settings".
std::string Line(std::uint16_t flags);

bool Takes(std::uint16_t flags, LightDirection direction);

}  // namespace modesettings
