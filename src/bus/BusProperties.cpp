#include "bus/BusProperties.h"

#include "ops/KeyboardOperations.h"
#include "ops/StatusReport.h"
#include "persist/BackupHeader.h"

namespace {

QString JsonString(const nlohmann::json& object) {
    return QString::fromStdString(JsonText(object));
}

}  // namespace

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
    properties.colourSet = status.colourSet + 1;
    properties.status = JsonString(keyboard.StatusReport(status));
    properties.modes = JsonString(ModesJson(status));
    return properties;
}
