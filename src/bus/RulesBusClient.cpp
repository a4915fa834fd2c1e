#include "bus/RulesBusClient.h"

#include <QDBusMessage>

#include "bus/BusNames.h"
#include "bus/BusOutcome.h"

namespace {

// A window that waits for the keyboard answers within this.
constexpr int kCallTimeoutMs = 30000;

QDBusMessage CallOf(const RulesRequest& request) {
    const char* method = "Rules";
    QVariantList arguments;
    const QString app = QString::fromStdString(request.app);
    switch (request.action) {
        case RulesRequest::Action::List:
            break;
        case RulesRequest::Action::Add:
            method = "AddRule";
            arguments = {app, request.target.profile,
                         QString::fromStdString(request.target.mode.value_or(""))};
            break;
        case RulesRequest::Action::Remove:
            method = "RemoveRule";
            arguments = {app};
            break;
        case RulesRequest::Action::On:
        case RulesRequest::Action::Off:
            method = "FollowApplications";
            arguments = {request.action == RulesRequest::Action::On};
            break;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kBusService), QString::fromLatin1(kBusManagerPath),
        QString::fromLatin1(kBusManagerInterface), QString::fromLatin1(method));
    call.setArguments(arguments);
    return call;
}

}  // namespace

Outcome RulesBusClient::Rules(const RulesRequest& request, nlohmann::json& report) {
    const QDBusMessage reply = bus_.call(CallOf(request), QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        report = nlohmann::json::parse(reply.arguments().front().toString().toStdString(), nullptr,
                                       false);
        if (!report.is_object()) report = nlohmann::json::object();
        Outcome outcome{kExitDone, report.value("message", "")};
        report.erase("message");
        return outcome;
    }
    return OutcomeOfError(reply);
}
