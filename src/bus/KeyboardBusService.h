#pragma once
// The running window's keyboard on the session bus (interface org.keylume.Keyboard1, described
// in org.keylume.Keyboard1.xml). Calls run on the window's thread and go through the keyboard
// logic like the window's own changes; every argument is checked as the command line checks
// it, and a refused call sends nothing.
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <filesystem>
#include <memory>

#include "cli/KeyboardClient.h"
#include "cli/KeyboardEndpoint.h"
#include "cli/KeyboardOperations.h"

class RefusalWatch;

class KeyboardBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.keylume.Keyboard1")
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(QString State READ State)
    Q_PROPERTY(int ProductId READ ProductId)
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

    bool Connected() const;
    QString State() const;
    int ProductId() const;
    int ProfileCount() const;
    int ActiveProfile() const;
    int ModeIndex() const;
    QString ModeName() const;
    int ColourSet() const;
    QString Emulation() const { return emulation_; }
    QString Status() const;
    QString Modes() const;

public slots:
    void Set(const QVariantMap& settings);
    void Paint(const QStringList& keys, const QString& colour);
    void Assign(const QString& key, const QString& kind, const QString& value);
    // The backup file's text; Import answers with what it restored.
    QString Export();
    QString Import(const QString& text, bool partial);

signals:
    void Changed();

private:
    // Replies with the outcome's error, when there is one.
    void Answer(const Outcome& outcome);
    void Refuse(const std::string& message);
    // Called from the store's thread; Changed goes out on this object's thread, once per turn.
    void NoteChange();

    std::unique_ptr<KeyboardClient> client_;
    std::unique_ptr<KeyboardOperations> operations_;
    QString emulation_;
    bool published_ = false;
    std::shared_ptr<std::atomic<bool>> changePending_;
};
