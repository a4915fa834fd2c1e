#pragma once
// A lighting setting's value as JSON, alike in the status report and the backup: numbers as
// numbers, everything else as its text ("#00FF80", "left", "auto").
#include <nlohmann/json.hpp>

#include "records/LightingSettings.h"

namespace persist {

nlohmann::json SettingJson(const lighting::SettingRow& row, lighting::Value value);

}  // namespace persist
