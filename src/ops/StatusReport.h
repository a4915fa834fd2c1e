#pragma once
// The descriptions of the keyboard that `status` and `modes` give, as JSON: scripts read it as
// it is, and the text for people is made from it, so the two never say different things.
#include <nlohmann/json.hpp>
#include <string>

#include "ops/AssignmentPlan.h"
#include "ops/KeyPositions.h"
#include "ops/KeyboardStatus.h"

// The `version` of both documents; docs/status-format.md says what a new one means.
inline constexpr int kStatusVersion = 1;

struct StatusContext {
    KeyPositions colourKeys;  // names of the key colour entries
    KeyPositions assignKeys;  // names of the key code entries
    AssignmentChoices choices;
};

// Why the keyboard cannot be used, for people.
std::string PresenceText(const KeyboardStatus& status);

nlohmann::json StatusJson(const KeyboardStatus& status, const StatusContext& context);
nlohmann::json ModesJson(const KeyboardStatus& status);

// What a key's code plays: "key A", "function Mute", "macro Copy (slot 2)", "combination
// Copy"; `slotMacros` holds the keyboard's macros by slot.
nlohmann::json DescribeAssignment(macro_code_t code, const AssignmentChoices& choices,
                                  const std::map<int, macro_block_t>& slotMacros);

// Indented, ending in a new line.
std::string JsonText(const nlohmann::json& object);
