#pragma once
// The fields macro steps share in a backup: the key, by name where the key table has one and as
// a number otherwise, and the state as "down" or "up".
#include <cstdint>
#include <optional>
#include <string>

#include "persist/BackupJson.h"

namespace persist {

struct StepKeySpace {
    const char* numberField;  // the member that holds a key no name leads back to
    std::int64_t low;
    std::int64_t high;
    std::optional<std::string> (*nameOf)(std::int64_t);
    std::optional<std::uint16_t> (*numberOf)(const std::string&);
};

// HID usages, as the keyboard's macro slots hold them.
extern const StepKeySpace kUsageKeys;
// Set-1 key codes, as the program's macro groups hold them.
extern const StepKeySpace kCodeKeys;

void WriteStepKey(backup_json::Json& step, std::int64_t number, const StepKeySpace& space);
std::int64_t ReadStepKey(const backup_json::Json& step, const std::string& path,
                         const StepKeySpace& space);

// 0 is "down", 1 is "up"; other states, where a step can hold them, stay numbers.
backup_json::Json StateJson(std::int64_t state);
std::int64_t ReadState(const backup_json::Json& value, const std::string& path, std::int64_t low,
                       std::int64_t high);

}  // namespace persist
