#pragma once
// The keyboards --emulate stands in for, by the names the window and every command take.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Emulation { None, Keyboard, OldFirmware, Absent };

// "keyboard", "old-firmware", "absent"; the first is what a bare --emulate means.
const std::vector<std::string_view>& EmulationNames();
// The names as the help and the errors show them: "keyboard|old-firmware|absent".
std::string EmulationChoice();
std::optional<Emulation> EmulationByName(std::string_view name);
// The real keyboard has the empty name.
std::string_view EmulationName(Emulation emulation);
