#include "bus/KeyboardBusService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QMetaObject>

#include "bus/BusNames.h"
#include "cli/SettingText.h"
#include "cli/StatusReport.h"

namespace {

QString JsonString(const QJsonObject& object) {
    return QString::fromStdString(JsonText(object));
}

}  // namespace

KeyboardBusService::KeyboardBusService(RefusalWatch* watch, const std::filesystem::path& uiFolder,
                                       QString emulation)
    : client_(std::make_unique<KeyboardClient>()),
      operations_(std::make_unique<KeyboardOperations>(*client_, watch, uiFolder)),
      emulation_(std::move(emulation)),
      changePending_(std::make_shared<std::atomic<bool>>(false)) {
    client_->WatchChanges([this] { NoteChange(); });
}

KeyboardBusService::~KeyboardBusService() {
    if (published_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(kBusPath));
        bus.unregisterService(QString::fromLatin1(kBusService));
    }
    // The shapes leave their groups first: no hook of theirs runs after this.
    operations_.reset();
    client_.reset();
}

bool KeyboardBusService::Publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(QString::fromLatin1(kBusPath), this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties))
        return false;
    published_ = true;
    return bus.registerService(QString::fromLatin1(kBusService));
}

void KeyboardBusService::NoteChange() {
    if (changePending_->exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            changePending_->store(false);
            emit Changed();
        },
        Qt::QueuedConnection);
}

bool KeyboardBusService::Connected() const {
    return operations_->Status().connected();
}

QString KeyboardBusService::State() const {
    return QString::fromStdString(PresenceText(operations_->Status()));
}

int KeyboardBusService::ProductId() const {
    return operations_->Status().productId;
}

int KeyboardBusService::ProfileCount() const {
    return operations_->Status().profileCount;
}

int KeyboardBusService::ActiveProfile() const {
    return operations_->Status().activeProfile;
}

int KeyboardBusService::ModeIndex() const {
    return operations_->Status().modeIndex;
}

QString KeyboardBusService::ModeName() const {
    const KeyboardStatus status = operations_->Status();
    const ModeInfo* mode = status.currentMode();
    return mode ? QString::fromStdString(mode->name) : QString();
}

int KeyboardBusService::ColourSet() const {
    return operations_->Status().colourSet + 1;
}

QString KeyboardBusService::Status() const {
    return JsonString(operations_->StatusReport());
}

QString KeyboardBusService::Modes() const {
    return JsonString(operations_->ModesReport());
}

void KeyboardBusService::Refuse(const std::string& message) {
    if (calledFromDBus())
        sendErrorReply(QString::fromLatin1(kBusErrorInvalid), QString::fromStdString(message));
}

void KeyboardBusService::Answer(const Outcome& outcome) {
    if (outcome.code == kExitDone || !calledFromDBus()) return;
    sendErrorReply(
        QString::fromLatin1(outcome.code == kExitUsage ? kBusErrorInvalid : kBusErrorKeyboard),
        QString::fromStdString(outcome.message));
}

void KeyboardBusService::Set(const QVariantMap& settings) {
    SetRequest request;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        // Values travel as the command line's texts, so both read them alike.
        if (it.value().metaType() != QMetaType::fromType<QString>())
            return Refuse("the value of \"" + it.key().toStdString() + "\" must be a string");
        if (auto error = settingtext::Apply(request, it.key().toStdString(),
                                            it.value().toString().toStdString()))
            return Refuse(*error);
    }
    if (request.Empty()) return Refuse("Set needs at least one setting");
    Answer(operations_->Set(request));
}

void KeyboardBusService::Paint(const QStringList& keys, const QString& colour) {
    PaintRequest request;
    const auto rgb = settingtext::Colour(colour.toStdString());
    if (!rgb) return Refuse("the colour must be RRGGBB in hexadecimal");
    if (keys.isEmpty()) return Refuse("Paint needs at least one key");
    request.colour = *rgb;
    for (const QString& key : keys) request.keys.push_back(key.toStdString());
    Answer(operations_->Paint(request));
}

void KeyboardBusService::Assign(const QString& key, const QString& kind, const QString& value) {
    AssignRequest request;
    const auto assignKind = settingtext::AssignKindByName(kind.toStdString());
    if (!assignKind) return Refuse("the kind must be key, function, combination, macro or clear");
    request.key = key.toStdString();
    request.kind = *assignKind;
    request.value = value.toStdString();
    if (request.kind != AssignKind::Clear && request.value.empty())
        return Refuse("Assign needs a value for " + kind.toStdString());
    Answer(operations_->Assign(request));
}

QString KeyboardBusService::Export() {
    std::string text;
    const Outcome outcome = operations_->Export(text);
    Answer(outcome);
    return QString::fromStdString(text);
}

QString KeyboardBusService::Import(const QString& text, bool partial) {
    const Outcome outcome = operations_->Import(text.toStdString(), partial, KeyChanges::Refuse);
    Answer(outcome);
    return QString::fromStdString(outcome.message);
}
