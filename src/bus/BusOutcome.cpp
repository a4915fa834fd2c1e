#include "bus/BusOutcome.h"

#include "bus/BusNames.h"

const char* BusErrorName(const Outcome& outcome) {
    if (!outcome.keyChanges.empty()) return kBusErrorUnconfirmed;
    return outcome.code == kExitUsage ? kBusErrorInvalid : kBusErrorKeyboard;
}

Outcome OutcomeOfError(const QDBusMessage& reply) {
    const QString name = reply.errorName();
    const bool refused =
        name == QLatin1String(kBusErrorInvalid) || name == QLatin1String(kBusErrorUnconfirmed);
    std::string text = reply.errorMessage().toStdString();
    if (text.empty()) text = "the running Keylume window does not answer";
    return {refused ? kExitUsage : kExitKeyboard, text};
}
