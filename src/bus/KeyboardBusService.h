#pragma once
// The running window's keyboard on the session bus (interface org.keylume.Keyboard1, described
// in org.keylume.Keyboard1.xml), under the manager object that lists it (BusManager). Calls are
// carried out on the bus worker, one after another, through the keyboard logic like the window's
// own changes, and answered when they are done; properties are answered at once from a copy the
// worker keeps fresh, and every renewal of the copy announces what differs. The window's thread
// never waits for the keyboard. Every argument is checked as the command line checks it, and a
// refused call sends nothing.
//
// A member of the interface is a slot, signal or Q_PROPERTY here and an element of the XML file;
// the introspection test holds the two together.
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "bus/BusManager.h"
#include "bus/BusProperties.h"
#include "bus/BusWorker.h"
#include "ops/KeyboardClient.h"
#include "ops/KeyboardEndpoint.h"
#include "ops/KeyboardOperations.h"

class RefusalWatch;

class KeyboardBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.keylume.Keyboard1")
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(QString State READ State)
    Q_PROPERTY(QString ProductId READ ProductId)
    Q_PROPERTY(QString Emulation READ Emulation)
    Q_PROPERTY(int ProfileCount READ ProfileCount)
    Q_PROPERTY(int ActiveProfile READ ActiveProfile)
    Q_PROPERTY(int ModeIndex READ ModeIndex)
    Q_PROPERTY(QString ModeName READ ModeName)
    Q_PROPERTY(int Brightness READ Brightness)
    Q_PROPERTY(int BackgroundBrightness READ BackgroundBrightness)
    Q_PROPERTY(int Speed READ Speed)
    Q_PROPERTY(QString Direction READ Direction)
    Q_PROPERTY(QString Colour READ Colour)
    Q_PROPERTY(QString BackgroundColour READ BackgroundColour)
    Q_PROPERTY(int ColourSet READ ColourSet)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QString Modes READ Modes)

public:
    // `watch` tells refused reports; `emulation` is empty for the real keyboard.
    KeyboardBusService(RefusalWatch* watch, const std::filesystem::path& uiFolder,
                       QString emulation);
    ~KeyboardBusService() override;

    // Registers the manager and the keyboard and takes the service name on the session bus;
    // false when there is no session bus or the name is taken.
    bool Publish();

    // The rules of applications the manager offers; null takes them away.
    void UseRules(FrontSwitch* rules) { manager_->UseRules(rules); }

    // The window's own changes of the keyboard go the same way as the bus calls.
    KeyboardOperations& Operations() { return *operations_; }

    bool Connected() const { return Cached().connected; }
    QString State() const { return Cached().state; }
    QString ProductId() const { return Cached().productId; }
    int ProfileCount() const { return Cached().profileCount; }
    int ActiveProfile() const { return Cached().activeProfile; }
    int ModeIndex() const { return Cached().modeIndex; }
    QString ModeName() const { return Cached().modeName; }
    int Brightness() const { return Cached().Number(lighting::Setting::Brightness); }
    int BackgroundBrightness() const {
        return Cached().Number(lighting::Setting::BackgroundBrightness);
    }
    int Speed() const { return Cached().Number(lighting::Setting::Speed); }
    QString Direction() const { return Cached().Text(lighting::Setting::Direction); }
    QString Colour() const { return Cached().Text(lighting::Setting::Colour); }
    QString BackgroundColour() const { return Cached().Text(lighting::Setting::BackgroundColour); }
    int ColourSet() const { return Cached().colourSet; }
    QString Emulation() const { return emulation_; }
    QString Status() const { return Cached().status; }
    QString Modes() const { return Cached().modes; }

public slots:
    void Set(const QVariantMap& settings);
    void Paint(const QStringList& keys, const QString& colour);
    void Assign(const QString& key, const QString& kind, const QString& value);
    // The backup file's text; Import answers with what it restored, and refuses a file that
    // changes what keys play; PreviewImport sends nothing and answers with those keys, one a
    // line after the summary. All answer later, from the worker: the output argument here is
    // not sent, it only names the answer.
    void Export(QString& backup);
    void Import(const QString& backup, bool partial, QString& restored);
    void PreviewImport(const QString& backup, bool partial, QString& changes);

signals:
    void Changed();

private:
    // What a call carried out answers: nothing, or the outcome's message as text.
    enum class Answer { Nothing, Message };

    // Hands the work to the worker, which answers the call when it is done. A call from this
    // process rather than from the bus is carried out at once.
    void Carry(std::function<Outcome()> work, Answer answer);
    void CarryImport(const QString& text, bool partial, KeyChanges keys);
    // On the worker: the answer to `call`, busy when another operation holds the keyboard.
    QDBusMessage CarryOut(const QDBusMessage& call, const std::function<Outcome()>& work,
                          Answer answer);
    // On the worker: renews the properties' copy; false when the keyboard is busy.
    bool Refresh();
    // Reads the properties afresh and announces a change; false when there was not enough
    // memory to.
    bool StoreProperties();
    BusProperties Cached() const;
    // The interface's properties as the getters give them for `properties`.
    QVariantMap Values(const BusProperties& properties) const;
    // On the window's thread: PropertiesChanged with `changed`, then Changed.
    void Announce(const QVariantMap& changed);
    // Called from the store's thread.
    void NoteChange();

    std::unique_ptr<KeyboardClient> client_;
    std::unique_ptr<KeyboardOperations> operations_;
    QString emulation_;
    BusManager* manager_;  // owned by this object, as Qt owns an adaptor
    bool published_ = false;
    mutable std::mutex cacheLock_;
    BusProperties cache_;
    std::atomic<bool> changeNoted_{false};
    std::unique_ptr<BusWorker> worker_;  // last: its thread uses the members above
};
