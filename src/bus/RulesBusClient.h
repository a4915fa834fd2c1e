#pragma once
// The commands' way to the running window's rules of applications, on the session bus.
#include <QDBusConnection>

#include "ops/RulesEndpoint.h"

class RulesBusClient : public RulesEndpoint {
public:
    explicit RulesBusClient(QDBusConnection bus = QDBusConnection::sessionBus())
        : bus_(std::move(bus)) {}
    Outcome Rules(const RulesRequest& request, nlohmann::json& report) override;

private:
    QDBusConnection bus_;
};
