#include "bus/BusManager.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "bus/BusNames.h"
#include "bus/BusOutcome.h"
#include "ops/StatusReport.h"

BusManager::BusManager(QObject* service, Refuse refuse)
    : QDBusAbstractAdaptor(service), refuse_(std::move(refuse)) {}

QList<QDBusObjectPath> BusManager::Keyboards() const {
    return {QDBusObjectPath(QString::fromLatin1(kBusKeyboardPath))};
}

uint BusManager::APIVersion() const {
    return kBusApiVersion;
}

void BusManager::Announce(const char* signal) {
    QDBusMessage message = QDBusMessage::createSignal(QString::fromLatin1(kBusManagerPath),
                                                      QString::fromLatin1(kBusManagerInterface),
                                                      QString::fromLatin1(signal));
    message << QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kBusKeyboardPath)));
    QDBusConnection::sessionBus().send(message);
}

namespace {

// Far beyond any application id or mode name; a longer text is refused unread.
constexpr qsizetype kLongestName = 255;

}  // namespace

void BusManager::SetActiveApplication(const QString& app_id) {
    if (!rules_ || app_id.size() > kLongestName) return;
    rules_->Front(app_id.isEmpty() ? std::vector<std::string>()
                                   : std::vector<std::string>{app_id.toStdString()});
}

QString BusManager::ChangeRules(const RulesRequest& request) {
    Outcome outcome{kExitUsage, "this window does not follow applications"};
    nlohmann::json report;
    const bool named = request.action == RulesRequest::Action::Add ||
                       request.action == RulesRequest::Action::Remove;
    if (named && request.app.empty())
        outcome.message = "a rule needs an application";
    else if (request.app.size() > static_cast<std::size_t>(kLongestName))
        outcome.message = "an application's name is at most 255 bytes long";
    else if (request.target.profile < 0 || request.target.profile > rules::kLastProfile)
        outcome.message = "profile takes a whole number from 0 to 255";
    else if (request.target.mode && request.target.mode->size() > kLongestName)
        outcome.message = "a mode's name is at most 255 bytes long";
    else if (rules_)
        outcome = rules_->Rules(request, report);
    if (outcome.code == kExitDone) {
        report["message"] = outcome.message;
        return QString::fromStdString(JsonText(report));
    }
    refuse_(QString::fromLatin1(BusErrorName(outcome)), QString::fromStdString(outcome.message));
    return {};
}

void BusManager::Rules(QString& rules) {
    rules = ChangeRules({});
}

void BusManager::AddRule(const QString& app, int profile, const QString& mode, QString& rules) {
    RulesRequest request{RulesRequest::Action::Add, app.toStdString(), {profile, std::nullopt}};
    if (!mode.isEmpty()) request.target.mode = mode.toStdString();
    rules = ChangeRules(request);
}

void BusManager::RemoveRule(const QString& app, QString& rules) {
    rules = ChangeRules({RulesRequest::Action::Remove, app.toStdString(), {}});
}

void BusManager::FollowApplications(bool on, QString& rules) {
    rules = ChangeRules({on ? RulesRequest::Action::On : RulesRequest::Action::Off, {}, {}});
}
