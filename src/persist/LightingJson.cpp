#include "persist/LightingJson.h"

namespace persist {

nlohmann::json SettingJson(const lighting::SettingRow& row, lighting::Value value) {
    if (row.kind == lighting::Kind::Number && value != lighting::kAutomatic) return value;
    return lighting::Text(row, value);
}

}  // namespace persist
