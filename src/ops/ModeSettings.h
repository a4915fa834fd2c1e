#pragma once
// Which settings a lighting mode takes, from its capability flags, in the names `set` uses.
#include <cstdint>
#include <string>
#include <vector>

namespace modesettings {

// "brightness", "speed", "direction (right, left)", ... in option order.
std::vector<std::string> Describe(std::uint16_t flags);
// The same as one line: "brightness, speed, ..." or "no settings".
std::string Line(std::uint16_t flags);

}  // namespace modesettings
