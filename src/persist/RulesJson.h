#pragma once
// The rules of applications to profiles as JSON, one shape for the backup file, the rules
// command and the bus: {"enabled", "rules": [{"app", "profile", "mode"?}], "otherwise":
// {...}|null}.
#include <nlohmann/json.hpp>
#include <string>

#include "records/AppRules.h"

namespace persist {

nlohmann::json WriteRulesJson(const rules::AppRules& rules);
// Refuses (BackupRefusal) what is not such an object, naming the place below `path`.
rules::AppRules ReadRulesJson(const nlohmann::json& value, const std::string& path);

}  // namespace persist
