#include "bus/BusProperties.h"

#include "ops/KeyboardOperations.h"
#include "ops/StatusReport.h"
#include "persist/BackupHeader.h"

namespace {

QString JsonString(const nlohmann::json& object) {
    return QString::fromStdString(JsonText(object));
}

const std::optional<lighting::Value>& Setting(const BusProperties& properties,
                                              lighting::Setting setting) {
    return properties.settings[static_cast<std::size_t>(setting)];
}

}  // namespace

int BusProperties::Number(lighting::Setting setting) const {
    return Setting(*this, setting).value_or(-1);
}

QString BusProperties::Text(lighting::Setting setting) const {
    const auto& value = Setting(*this, setting);
    if (!value) return {};
    return QString::fromStdString(lighting::Text(lighting::Row(setting), *value));
}

BusProperties ReadBusProperties(KeyboardOperations& keyboard) {
    const KeyboardStatus status = keyboard.Status();
    const ModeInfo* mode = status.currentMode();
    BusProperties properties;
    properties.connected = status.connected();
    properties.state = QString::fromStdString(PresenceText(status));
    if (status.productId)
        properties.productId = QString::fromStdString(
            persist::ProductIdText(static_cast<std::uint16_t>(status.productId)));
    properties.profileCount = status.profileCount;
    properties.activeProfile = status.activeProfile;
    properties.modeIndex = status.modeIndex;
    properties.modeName = mode ? QString::fromStdString(mode->name) : QString();
    if (mode && status.connected())
        for (const lighting::SettingRow& row : lighting::Rows())
            if (lighting::Offers(row, mode->flags))
                properties.settings[static_cast<std::size_t>(row.id)] =
                    lighting::Read(row, status.reg, mode->flags);
    properties.colourSet = status.colourSet + 1;
    properties.status = JsonString(keyboard.StatusReport(status));
    properties.modes = JsonString(ModesJson(status));
    return properties;
}
