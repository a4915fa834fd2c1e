#pragma once
// What `status` and `modes` print: text for people, JSON for scripts. Both are built from one
// JSON description, so the two never say different things.
#include <QJsonObject>
#include <string>

#include "cli/AssignmentPlan.h"
#include "cli/KeyPositions.h"
#include "cli/KeyboardStatus.h"

struct StatusContext {
    KeyPositions colourKeys;  // names of the key colour entries
    KeyPositions assignKeys;  // names of the key code entries
    AssignmentChoices choices;
};

// Why the keyboard cannot be used, for people.
std::string PresenceText(const KeyboardStatus& status);

QJsonObject StatusJson(const KeyboardStatus& status, const StatusContext& context);
QJsonObject ModesJson(const KeyboardStatus& status);

std::string StatusText(const QJsonObject& status);
std::string ModesText(const QJsonObject& modes);

std::string JsonText(const QJsonObject& object);

// What a key's code plays, in words: "key A", "function Mute", "macro Copy (slot 2)",
// "combination Copy"; `slotMacros` holds the keyboard's macros by slot.
QJsonObject DescribeAssignment(macro_code_t code, const AssignmentChoices& choices,
                               const std::map<int, macro_block_t>& slotMacros);
