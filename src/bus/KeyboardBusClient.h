#pragma once
// The commands' way to a running window: its keyboard on the session bus.
#include <QDBusConnection>
#include <memory>
#include <string>

#include "ops/KeyboardEndpoint.h"

class KeyboardBusClient : public KeyboardEndpoint {
public:
    // The running window's keyboard, or null when there is no session bus, no window on it or
    // no keyboard in its manager's list.
    static std::unique_ptr<KeyboardBusClient> Find(
        const QDBusConnection& bus = QDBusConnection::sessionBus());

    // "" for the real keyboard, otherwise the emulated keyboard's setup.
    std::string Emulation() const;

    nlohmann::json StatusReport() override;
    nlohmann::json ModesReport() override;
    Outcome Set(const SetRequest& request) override;
    Outcome Paint(const PaintRequest& request) override;
    Outcome Assign(const AssignRequest& request) override;
    Outcome Export(std::string& text) override;
    Outcome Import(const std::string& text, bool partial, KeyChanges keys) override;

private:
    KeyboardBusClient(QDBusConnection bus, QString path)
        : bus_(std::move(bus)), path_(std::move(path)) {}
    QVariant Property(const char* name) const;
    nlohmann::json JsonProperty(const char* name) const;
    // A reply's first argument, when it is a text, becomes the outcome's message.
    Outcome Call(const char* method, const QVariantList& arguments);

    QDBusConnection bus_;
    QString path_;  // of the keyboard's object
};
