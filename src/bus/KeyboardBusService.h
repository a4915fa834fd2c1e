#pragma once
// The running window's keyboard on the session bus (interface org.keylume.Keyboard1, described
// in org.keylume.Keyboard1.xml). Calls are carried out on the bus worker, one after another,
// through the keyboard logic like the window's own changes, and answered when they are done;
// properties are answered at once from a copy the worker keeps fresh. The window's thread never
// waits for the keyboard. Every argument is checked as the command line checks it, and a refused
// call sends nothing.
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
    Q_PROPERTY(int ProfileCount READ ProfileCount)
    Q_PROPERTY(int ActiveProfile READ ActiveProfile)
    Q_PROPERTY(int ModeIndex READ ModeIndex)
    Q_PROPERTY(QString ModeName READ ModeName)
    Q_PROPERTY(int ColourSet READ ColourSet)
    Q_PROPERTY(QString Emulation READ Emulation)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QString Modes READ Modes)

public:
    // `watch` tells refused reports; `emulation` is empty for the real keyboard.
    KeyboardBusService(RefusalWatch* watch, const std::filesystem::path& uiFolder,
                       QString emulation);
    ~KeyboardBusService() override;

    // Registers the object and takes the service name on the session bus; false when there is
    // no session bus or the name is taken.
    bool Publish();

    // The window's own changes of the keyboard go the same way as the bus calls.
    KeyboardOperations& Operations() { return *operations_; }

    bool Connected() const { return Cached().connected; }
    QString State() const { return Cached().state; }
    QString ProductId() const { return Cached().productId; }
    int ProfileCount() const { return Cached().profileCount; }
    int ActiveProfile() const { return Cached().activeProfile; }
    int ModeIndex() const { return Cached().modeIndex; }
    QString ModeName() const { return Cached().modeName; }
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
    // line after the summary. All answer later, from the worker: the value returned here is not
    // sent.
    QString Export();
    QString Import(const QString& text, bool partial);
    QString PreviewImport(const QString& text, bool partial);

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
    // Called from the store's thread.
    void NoteChange();

    std::unique_ptr<KeyboardClient> client_;
    std::unique_ptr<KeyboardOperations> operations_;
    QString emulation_;
    bool published_ = false;
    mutable std::mutex cacheLock_;
    BusProperties cache_;
    std::atomic<bool> changeNoted_{false};
    std::unique_ptr<BusWorker> worker_;  // last: its thread uses the members above
};
