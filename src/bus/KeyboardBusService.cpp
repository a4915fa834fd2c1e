#include "bus/KeyboardBusService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMetaObject>
#include <new>

#include "bus/BusNames.h"
#include "bus/BusRequests.h"
#include "ops/GuardedOutcome.h"
#include "persist/KeyboardBackup.h"

namespace {

constexpr const char* kBusyText =
    "the keyboard is busy with another operation; try again when it is done";

QDBusMessage ErrorReply(const QDBusMessage& call, const char* name, const std::string& text) {
    return call.createErrorReply(QString::fromLatin1(name), QString::fromStdString(text));
}

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
      worker_(std::make_unique<BusWorker>([this] { return Refresh(); })) {
    // Made before the keyboard logic at start-up, this first read waits for nothing.
    StoreProperties();
    client_->WatchChanges([this] { NoteChange(); });
}

KeyboardBusService::~KeyboardBusService() {
    if (published_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(kBusPath));
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
    if (!bus.registerObject(QString::fromLatin1(kBusPath), this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties))
        return false;
    published_ = true;
    return bus.registerService(QString::fromLatin1(kBusService));
}

void KeyboardBusService::NoteChange() {
    changeNoted_.store(true);
    worker_->RefreshSoon();
}

BusProperties KeyboardBusService::Cached() const {
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

bool KeyboardBusService::StoreProperties() {
    const bool noted = changeNoted_.exchange(false);
    try {
        BusProperties fresh = ReadBusProperties(*operations_);
        bool changed = noted;
        {
            const std::lock_guard lock(cacheLock_);
            changed = changed || !(fresh == cache_);
            cache_ = std::move(fresh);
        }
        if (changed)
            QMetaObject::invokeMethod(
                this, [this] { emit Changed(); }, Qt::QueuedConnection);
        return true;
    } catch (const std::bad_alloc&) {
        // The copy stays as it was until a later refresh; the change is still to be announced.
        if (noted) changeNoted_.store(true);
        return false;
    }
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
        const char* name = !outcome.keyChanges.empty()  ? kBusErrorUnconfirmed
                           : outcome.code == kExitUsage ? kBusErrorInvalid
                                                        : kBusErrorKeyboard;
        return ErrorReply(call, name, text);
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

QString KeyboardBusService::Export() {
    Carry(
        [this] {
            std::string text;
            Outcome outcome = operations_->Export(text);
            if (outcome.code == kExitDone) outcome.message = std::move(text);
            return outcome;
        },
        Answer::Message);
    return {};
}

// The window's own user sees and confirms what keys will play: see "Import settings…".
QString KeyboardBusService::Import(const QString& text, bool partial) {
    CarryImport(text, partial, KeyChanges::Refuse);
    return {};
}

QString KeyboardBusService::PreviewImport(const QString& text, bool partial) {
    CarryImport(text, partial, KeyChanges::List);
    return {};
}

void KeyboardBusService::CarryImport(const QString& text, bool partial, KeyChanges keys) {
    Carry([this, text, partial,
           keys] { return operations_->Import(BackupText(text), partial, keys); },
          Answer::Message);
}
