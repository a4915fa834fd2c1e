#include "bus/KeyboardBusClient.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <sstream>

#include "bus/BusNames.h"
#include "bus/BusOutcome.h"
#include "ops/SettingText.h"

namespace {

constexpr int kCallTimeoutMs = 60000;

// A text of a summary line and one line per key, as the window's import answers.
Outcome WithKeyLines(Outcome outcome) {
    std::istringstream lines(outcome.message);
    std::getline(lines, outcome.message);
    for (std::string line; std::getline(lines, line);) outcome.keyChanges.push_back(line);
    return outcome;
}

QDBusMessage Message(const QString& path, const char* interface, const char* method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(kBusService), path,
                                          QString::fromLatin1(interface),
                                          QString::fromLatin1(method));
}

QVariant PropertyOf(const QDBusConnection& bus, const QString& path, const char* interface,
                    const char* name) {
    QDBusMessage message = Message(path, "org.freedesktop.DBus.Properties", "Get");
    message << QString::fromLatin1(interface) << QString::fromLatin1(name);
    const QDBusMessage reply = bus.call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().front().value<QDBusVariant>().variant();
}

}  // namespace

std::unique_ptr<KeyboardBusClient> KeyboardBusClient::Find(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface()) return nullptr;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(kBusService)).value())
        return nullptr;
    // The window's keyboard, as its manager lists it.
    const auto keyboards = qdbus_cast<QList<QDBusObjectPath>>(
        PropertyOf(bus, QString::fromLatin1(kBusManagerPath), kBusManagerInterface, "Keyboards"));
    if (keyboards.isEmpty()) return nullptr;
    return std::unique_ptr<KeyboardBusClient>(new KeyboardBusClient(bus, keyboards.front().path()));
}

QVariant KeyboardBusClient::Property(const char* name) const {
    return PropertyOf(bus_, path_, kBusInterface, name);
}

nlohmann::json KeyboardBusClient::JsonProperty(const char* name) const {
    nlohmann::json object =
        nlohmann::json::parse(Property(name).toString().toStdString(), nullptr, false);
    if (object.is_object() && !object.empty()) return object;
    return nlohmann::json{{"connected", false},
                          {"state", "not connected: the running Keylume window does not answer"}};
}

std::string KeyboardBusClient::Emulation() const {
    return Property("Emulation").toString().toStdString();
}

nlohmann::json KeyboardBusClient::StatusReport() {
    return JsonProperty("Status");
}

nlohmann::json KeyboardBusClient::ModesReport() {
    return JsonProperty("Modes");
}

Outcome KeyboardBusClient::Call(const char* method, const QVariantList& arguments) {
    QDBusMessage message = Message(path_, kBusInterface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QVariantList answer = reply.arguments();
        return {kExitDone,
                answer.isEmpty() ? std::string() : answer.front().toString().toStdString()};
    }
    Outcome outcome = OutcomeOfError(reply);
    if (reply.errorName() == QLatin1String(kBusErrorUnconfirmed)) {
        outcome = WithKeyLines(std::move(outcome));
        outcome.message +=
            "; a running Keylume window restores them only through its \"Import settings…\", "
            "which shows them first";
    }
    return outcome;
}

Outcome KeyboardBusClient::Set(const SetRequest& request) {
    QVariantMap settings;
    for (const auto& [name, value] : settingtext::ToTexts(request))
        settings.insert(QString::fromStdString(name), QString::fromStdString(value));
    return Call("Set", {settings});
}

Outcome KeyboardBusClient::Paint(const PaintRequest& request) {
    QStringList keys;
    for (const std::string& key : request.keys) keys << QString::fromStdString(key);
    return Call("Paint", {keys, QString::fromStdString(settingtext::ColourText(request.colour))});
}

Outcome KeyboardBusClient::Assign(const AssignRequest& request) {
    return Call("Assign",
                {QString::fromStdString(request.key),
                 QString::fromStdString(std::string(settingtext::AssignKindName(request.kind))),
                 QString::fromStdString(request.value)});
}

Outcome KeyboardBusClient::Export(std::string& text) {
    Outcome outcome = Call("Export", {});
    if (outcome.code == kExitDone) text = std::move(outcome.message);
    outcome.message = outcome.code == kExitDone ? "exported" : outcome.message;
    return outcome;
}

// The window decides itself about key assignments: whatever `keys` says, its Import refuses a
// file that changes them.
Outcome KeyboardBusClient::Import(const std::string& text, bool partial, KeyChanges keys) {
    const QVariantList arguments{QString::fromStdString(text), partial};
    if (keys != KeyChanges::List) return Call("Import", arguments);
    Outcome outcome = Call("PreviewImport", arguments);
    return outcome.code == kExitDone ? WithKeyLines(std::move(outcome)) : outcome;
}
