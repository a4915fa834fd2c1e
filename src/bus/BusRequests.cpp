#include "bus/BusRequests.h"

#include <optional>
#include <string>

#include "ops/KeyboardOperations.h"
#include "ops/SettingText.h"

namespace {

Outcome Refused(std::string message) {
    return {kExitUsage, std::move(message)};
}

bool IsWholeNumber(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return true;
        default:
            return false;
    }
}

// A typed value as the command line writes it, so both read it alike; none when the setting
// does not take the type.
std::optional<std::string> AsText(const std::string& name, const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QString>()) return value.toString().toStdString();
    if (IsWholeNumber(value) && settingtext::TakesNumber(name))
        return value.metaType() == QMetaType::fromType<qulonglong>()
                   ? std::to_string(value.toULongLong())
                   : std::to_string(value.toLongLong());
    if (value.metaType() == QMetaType::fromType<bool>() && value.toBool() &&
        settingtext::TakesAuto(name))
        return "auto";
    return std::nullopt;
}

std::string TypesTaken(const std::string& name) {
    if (settingtext::TakesNumber(name)) return "a whole number or a string";
    if (settingtext::TakesAuto(name)) return "a string, or true for auto";
    return "a string";
}

}  // namespace

Outcome SetFromBus(KeyboardOperations& keyboard, const QVariantMap& settings) {
    SetRequest request;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        const std::string name = it.key().toStdString();
        const auto text = AsText(name, it.value());
        if (!text) return Refused("the value of \"" + name + "\" must be " + TypesTaken(name));
        if (auto error = settingtext::Apply(request, name, *text)) return Refused(*error);
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
