#include "bus/KeyboardBusService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMetaObject>
#include <QMetaProperty>
#include <array>
#include <new>
#include <string_view>
#include <utility>

#include "bus/BusNames.h"
#include "bus/BusOutcome.h"
#include "bus/BusRequests.h"
#include "ops/GuardedOutcome.h"
#include "persist/KeyboardBackup.h"

namespace {

constexpr const char* kBusyText =
    "the keyboard is busy with another operation; try again when it is done";

QDBusMessage ErrorReply(const QDBusMessage& call, const char* name, const std::string& text) {
    return call.createErrorReply(QString::fromLatin1(name), QString::fromStdString(text));
}

// The keyboard's object answers at both, the manager's path for scripts written before the
// keyboard had an object of its own.
constexpr std::array<const char*, 2> kKeyboardPaths{kBusKeyboardPath, kBusManagerPath};

// Set while this thread reads a copy's values through the properties' getters.
thread_local const BusProperties* tReading = nullptr;

// The reader refuses a text past its limit; one far past it is not copied whole to learn that.
// A text longer in UTF-16 units is longer in UTF-8 bytes too.
std::string BackupText(const QString& text) {
    return text.left(static_cast<qsizetype>(persist::kMaxBackupTextBytes) + 1).toStdString();
}

}  // namespace

KeyboardBusService::KeyboardBusService(RefusalWatch* watch, const std::filesystem::path& uiFolder,
                                       QString emulation)
    : client_(std::make_unique<KeyboardClient>()),
      operations_(std::make_unique<KeyboardOperations>(*client_, watch, uiFolder)),
      emulation_(std::move(emulation)),
      manager_(new BusManager(
          this, [this](const QString& name, const QString& text) { sendErrorReply(name, text); })),
      worker_(std::make_unique<BusWorker>([this] { return Refresh(); })) {
    // Made before the keyboard logic at start-up, this first read waits for nothing.
    StoreProperties();
    client_->WatchChanges([this] { NoteChange(); });
}

KeyboardBusService::~KeyboardBusService() {
    if (published_) {
        manager_->Announce("KeyboardRemoved");
        QDBusConnection bus = QDBusConnection::sessionBus();
        for (const char* path : kKeyboardPaths) bus.unregisterObject(QString::fromLatin1(path));
        bus.unregisterService(QString::fromLatin1(kBusService));
    }
    worker_->Stop();
    // The shapes leave their groups first: no hook of theirs runs after this.
    operations_.reset();
    client_.reset();
}

bool KeyboardBusService::Publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    constexpr auto keyboard = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                              QDBusConnection::ExportAllProperties;
    for (const char* path : kKeyboardPaths) {
        // The manager, this object's adaptor, only at its own path.
        const bool manager = std::string_view(path) == kBusManagerPath;
        if (!bus.registerObject(QString::fromLatin1(path), this,
                                manager ? keyboard | QDBusConnection::ExportAdaptors : keyboard))
            return false;
        published_ = true;
    }
    if (!bus.registerService(QString::fromLatin1(kBusService))) return false;
    // Once the name is ours, so that those who listen to it hear.
    manager_->Announce("KeyboardAdded");
    return true;
}

void KeyboardBusService::NoteChange() {
    changeNoted_.store(true);
    worker_->RefreshSoon();
}

BusProperties KeyboardBusService::Cached() const {
    if (tReading) return *tReading;
    BusProperties properties;
    {
        const std::lock_guard lock(cacheLock_);
        properties = cache_;
    }
    // A keyboard plugged in but not opened changes nothing the keyboard logic publishes.
    if (!properties.connected) worker_->RefreshSoon();
    return properties;
}

bool KeyboardBusService::Refresh() {
    const auto hold = operations_->TryHold();
    return hold.owns_lock() && StoreProperties();
}

QVariantMap KeyboardBusService::Values(const BusProperties& properties) const {
    tReading = &properties;
    QVariantMap values;
    const QMetaObject* meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        values.insert(QString::fromLatin1(property.name()), property.read(this));
    }
    tReading = nullptr;
    return values;
}

// Every change of the keyboard's state, whatever made it, comes through here: the properties are
// announced from the difference between the copies, so no way of changing them can forget to.
bool KeyboardBusService::StoreProperties() {
    const bool noted = changeNoted_.exchange(false);
    try {
        const BusProperties fresh = ReadBusProperties(*operations_);
        BusProperties before;
        {
            const std::lock_guard lock(cacheLock_);
            before = std::exchange(cache_, fresh);
        }
        const QVariantMap old = Values(before);
        QVariantMap changed = Values(fresh);
        for (auto it = changed.begin(); it != changed.end();)
            it = old.value(it.key()) == it.value() ? changed.erase(it) : std::next(it);
        if (noted || !changed.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, changed] { Announce(changed); }, Qt::QueuedConnection);
        return true;
    } catch (const std::bad_alloc&) {
        // The copy stays as it was until a later refresh; the change is still to be announced.
        if (noted) changeNoted_.store(true);
        return false;
    }
}

void KeyboardBusService::Announce(const QVariantMap& changed) {
    if (published_ && !changed.isEmpty())
        for (const char* path : kKeyboardPaths) {
            QDBusMessage signal = QDBusMessage::createSignal(
                QString::fromLatin1(path), QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"));
            signal << QString::fromLatin1(kBusInterface) << changed << QStringList();
            QDBusConnection::sessionBus().send(signal);
        }
    emit Changed();
}

void KeyboardBusService::Carry(std::function<Outcome()> work, Answer answer) {
    if (!calledFromDBus()) {
        Guarded(work);
        StoreProperties();
        return;
    }
    setDelayedReply(true);
    QDBusConnection bus = connection();
    const QDBusMessage call = message();
    try {
        const bool taken =
            worker_->Post([this, bus, call, work = std::move(work), answer](bool carryOut) mutable {
                bus.send(carryOut ? CarryOut(call, work, answer)
                                  : ErrorReply(call, kBusErrorKeyboard,
                                               "the window closed before carrying the call out"));
            });
        if (!taken) bus.send(ErrorReply(call, kBusErrorBusy, kBusyText));
    } catch (const std::bad_alloc&) {
        bus.send(
            ErrorReply(call, kBusErrorKeyboard, "there was not enough memory to take the call"));
    }
}

QDBusMessage KeyboardBusService::CarryOut(const QDBusMessage& call,
                                          const std::function<Outcome()>& work, Answer answer) {
    const auto hold = operations_->TryHold();
    if (!hold.owns_lock()) return ErrorReply(call, kBusErrorBusy, kBusyText);
    const Outcome outcome = Guarded(work);
    // The next property read sees what the call did.
    if (!StoreProperties()) worker_->RefreshSoon();
    // The keys an import would change follow the message, one a line.
    std::string text = outcome.message;
    for (const std::string& line : outcome.keyChanges) text += "\n" + line;
    if (outcome.code != kExitDone) {
        return ErrorReply(call, BusErrorName(outcome), text);
    }
    if (answer == Answer::Nothing) return call.createReply();
    return call.createReply(QString::fromStdString(text));
}

void KeyboardBusService::Set(const QVariantMap& settings) {
    Carry([this, settings] { return SetFromBus(*operations_, settings); }, Answer::Nothing);
}

void KeyboardBusService::Paint(const QStringList& keys, const QString& colour) {
    Carry([this, keys, colour] { return PaintFromBus(*operations_, keys, colour); },
          Answer::Nothing);
}

void KeyboardBusService::Assign(const QString& key, const QString& kind, const QString& value) {
    Carry([this, key, kind, value] { return AssignFromBus(*operations_, key, kind, value); },
          Answer::Nothing);
}

void KeyboardBusService::Export(QString&) {
    Carry(
        [this] {
            std::string text;
            Outcome outcome = operations_->Export(text);
            if (outcome.code == kExitDone) outcome.message = std::move(text);
            return outcome;
        },
        Answer::Message);
}

// The window's own user sees and confirms what keys will play: see "Import settings…".
void KeyboardBusService::Import(const QString& backup, bool partial, QString&) {
    CarryImport(backup, partial, KeyChanges::Refuse);
}

void KeyboardBusService::PreviewImport(const QString& backup, bool partial, QString&) {
    CarryImport(backup, partial, KeyChanges::List);
}

void KeyboardBusService::CarryImport(const QString& text, bool partial, KeyChanges keys) {
    Carry([this, text, partial,
           keys] { return operations_->Import(BackupText(text), partial, keys); },
          Answer::Message);
}
