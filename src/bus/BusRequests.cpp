#include "bus/BusRequests.h"

#include "ops/KeyboardOperations.h"
#include "ops/SettingText.h"

namespace {

Outcome Refused(std::string message) {
    return {kExitUsage, std::move(message)};
}

}  // namespace

Outcome SetFromBus(KeyboardOperations& keyboard, const QVariantMap& settings) {
    SetRequest request;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        // Values travel as the command line's texts, so both read them alike.
        if (it.value().metaType() != QMetaType::fromType<QString>())
            return Refused("the value of \"" + it.key().toStdString() + "\" must be a string");
        if (auto error = settingtext::Apply(request, it.key().toStdString(),
                                            it.value().toString().toStdString()))
            return Refused(*error);
    }
    if (request.Empty()) return Refused("Set needs at least one setting");
    return keyboard.Set(request);
}

Outcome PaintFromBus(KeyboardOperations& keyboard, const QStringList& keys, const QString& colour) {
    PaintRequest request;
    const auto rgb = settingtext::Colour(colour.toStdString());
    if (!rgb) return Refused("the colour must be RRGGBB in hexadecimal");
    if (keys.isEmpty()) return Refused("Paint needs at least one key");
    request.colour = *rgb;
    for (const QString& key : keys) request.keys.push_back(key.toStdString());
    return keyboard.Paint(request);
}

Outcome AssignFromBus(KeyboardOperations& keyboard, const QString& key, const QString& kind,
                      const QString& value) {
    AssignRequest request;
    const auto assignKind = settingtext::AssignKindByName(kind.toStdString());
    if (!assignKind) return Refused("the kind must be key, function, combination, macro or clear");
    request.key = key.toStdString();
    request.kind = *assignKind;
    request.value = value.toStdString();
    if (request.kind != AssignKind::Clear && request.value.empty())
        return Refused("Assign needs a value for " + kind.toStdString());
    return keyboard.Assign(request);
}
