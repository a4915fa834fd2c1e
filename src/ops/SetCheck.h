#pragma once
// Checks a `set` request against the keyboard before anything is sent: the profile and mode
// must exist, and every setting must be one the chosen mode has.
#include <optional>
#include <string>

#include "ops/KeyboardRequests.h"
#include "ops/KeyboardStatus.h"

struct SetPlan {
    std::optional<int> profile;
    std::optional<int> modeIndex;
    std::optional<int> colourSet;  // from 0, as the keyboard numbers them
    SetRequest edits;              // the register settings, applied to the chosen mode

    // Writes the register settings of the request; true when any was given.
    bool ApplyTo(_reg_mode_t& reg) const;
};

struct SetCheckResult {
    SetPlan plan;
    std::string error;  // empty when the request is good
};

SetCheckResult CheckSet(const SetRequest& request, const KeyboardStatus& status);

// The mode a name or number stands for; an error text otherwise.
std::optional<int> FindMode(const std::string& text, const KeyboardStatus& status,
                            std::string& error);
