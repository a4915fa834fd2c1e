#pragma once
// The list of the window's keyboards on the session bus (interface org.keylume.Manager1,
// described in org.keylume.Manager1.xml): the window drives one, whose object is there while the
// window runs and tells by its own properties whether the keyboard is plugged in.
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <functional>

#include "ops/FrontSwitch.h"

class BusManager : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.keylume.Manager1")
    Q_PROPERTY(QList<QDBusObjectPath> Keyboards READ Keyboards)
    Q_PROPERTY(uint APIVersion READ APIVersion)

public:
    // Answers a call with an error; Qt keeps a call's context with the adaptor's parent.
    using Refuse = std::function<void(const QString& name, const QString& text)>;
    BusManager(QObject* service, Refuse refuse);

    QList<QDBusObjectPath> Keyboards() const;
    uint APIVersion() const;

    // Sends KeyboardAdded or KeyboardRemoved for the window's keyboard at once: Qt relays an
    // adaptor's signal later, when the object may already have left the bus.
    void Announce(const char* signal);

    // The rules of applications the window follows; none until given.
    void UseRules(FrontSwitch* rules) { rules_ = rules; }

public slots:
    // The application now in front, for desktops that tell their clients nothing of it: a
    // script of the desktop's own calls this at every activation.
    void SetActiveApplication(const QString& app_id);
    // The rules as `keylume rules list --json` prints them; each change answers with the rules
    // after it. A rule's mode is "" for none; the application "*" stands for every other.
    void Rules(QString& rules);
    void AddRule(const QString& app, int profile, const QString& mode, QString& rules);
    void RemoveRule(const QString& app, QString& rules);
    void FollowApplications(bool on, QString& rules);

signals:
    // Declared for the interface's description; sent by Announce.
    void KeyboardAdded(const QDBusObjectPath& keyboard);
    void KeyboardRemoved(const QDBusObjectPath& keyboard);

private:
    // Carries the request out; an error reply when it was refused.
    QString ChangeRules(const RulesRequest& request);

    Refuse refuse_;
    FrontSwitch* rules_ = nullptr;
};
