#include "screens/AppRulesDlg.h"

#include <QLineEdit>
#include <algorithm>
#include <cstdlib>

#include "ops/KeyNames.h"
#include "persist/DesktopEntries.h"
#include "screens/EditorKeys.h"
#include "ui/Application.h"
#include "ui/CheckControls.h"
#include "ui/InputControls.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"

using SOUI::Translated;

namespace {

// Longer names are no application's; the field takes no more.
constexpr int kLongestName = 255;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The language the desktop files' names are read in: the one the window shows.
std::string DesktopLocale() {
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    const bool chinese = app && app->GetTranslator() && app->GetTranslator()->Name() == "cn";
    return chinese ? "zh_CN" : "en";
}

bool SameMode(const std::string& a, const std::string& b) {
    return keynames::Same(keynames::FromText(a), keynames::FromText(b));
}

}  // namespace

AppRulesDlg::AppRulesDlg(FrontSwitch& rules)
    : SHostDialog(QStringLiteral("LAYOUT:app_rules")), switch_(rules) {}

AppRulesDlg::~AppRulesDlg() = default;

bool AppRulesDlg::ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM, SOUI::LPARAM,
                                       SOUI::LRESULT& result) {
    if (msg != SOUI::WM_INITDIALOG) return false;
    OnInitDialog();
    result = 1;
    return true;
}

void AppRulesDlg::OnInitDialog() {
    // The keyboard's lists reach the dialog on the window's thread, where they are read.
    ShapeBase::attachWindow(this, GetHostHwnd());
    modes_.bind(shapeOwnerKey(this), [this](auto&&...) { FillTargets(); });
    profiles_.bind(shapeOwnerKey(this), [this](auto&&...) { FillTargets(); });
    BindControls();
    editorkeys::CancelOnEscape(GetFrame(), [this] { EndDialog(SOUI::IDCANCEL); });
    FillApplications();
    if (list_) list_->SetAdapter(rows_);
    Show(switch_.Current());
    ReadDesktopEntries();
}

void AppRulesDlg::BindControls() {
    on_ = FindChildByName2<SOUI::SCheckBox>("rules_on");
    list_ = FindChildByName2<SOUI::SListView>("rules_list");
    appBox_ = FindChildByName2<SOUI::SComboBox>("rule_app");
    profileBox_ = FindChildByName2<SOUI::SComboBox>("rule_profile");
    modeBox_ = FindChildByName2<SOUI::SComboBox>("rule_mode");
    remove_ = GetRoot()->FindChildByName("rule_remove");
    othersBox_ = FindChildByName2<SOUI::SComboBox>("rules_others");
    note_ = GetRoot()->FindChildByName("rules_note");
}

// The applications seen in front to pick from; any other name can be typed.
void AppRulesDlg::FillApplications() {
    if (!appBox_) return;
    QComboBox* combo = appBox_->Combo();
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& name : switch_.Recent()) appBox_->InsertItem(-1, Text(name));
    combo->setCurrentIndex(-1);
    if (QLineEdit* edit = combo->lineEdit()) {
        edit->clear();
        edit->setMaxLength(kLongestName);
        edit->setPlaceholderText(Translated("Type a name or pick an application seen in front"));
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [this] { OnSave(); });
    }
}

void AppRulesDlg::ReadDesktopEntries() {
    desktop_.Post([this, locale = DesktopLocale()]() -> SOUI::SWorkThread::Reply {
        auto entries =
            persist::ReadDesktopEntries(persist::ApplicationFolders(&std::getenv), locale);
        return [this, entries = std::move(entries)]() mutable {
            rows_->SetEntries(std::move(entries));
        };
    });
}

int AppRulesDlg::ProfileCount() const {
    int count = std::max(static_cast<int>(profiles_.count), 1);
    for (const rules::Rule& rule : rules_.rules) count = std::max(count, rule.target.profile + 1);
    if (rules_.otherwise) count = std::max(count, rules_.otherwise->profile + 1);
    return std::min(count, rules::kLastProfile + 1);
}

QString AppRulesDlg::ProfileName(int profile) const {
    const _profile_attr_t attr = profile < static_cast<int>(profiles_.count)
                                     ? profiles_.data()[profile]
                                     : _profile_attr_t::numbered(profile);
    return Text(attr.name.text());
}

QString AppRulesDlg::TargetText(const rules::Target& target) const {
    const QString mode = target.mode ? Text(*target.mode) : Translated("the profile's own mode");
    return ProfileName(target.profile) + QStringLiteral(", ") + mode;
}

void AppRulesDlg::Show(const rules::AppRules& rules, std::string app) {
    if (app.empty()) app = SelectedApp();
    rules_ = rules;
    FillTargets();
    if (on_) on_->SetCheck(rules.enabled);
    std::vector<AppRuleRows::Row> rows;
    int selected = -1;
    for (const rules::Rule& rule : rules.rules) {
        if (rules::SameApplication(rule.app, app)) selected = static_cast<int>(rows.size());
        rows.push_back({rule.app, TargetText(rule.target)});
    }
    rows_->SetRows(std::move(rows));
    if (list_) list_->SetSel(selected);
    if (remove_) remove_->EnableWindow(selected >= 0);
}

void AppRulesDlg::FillTargets() {
    const rules::Target chosen = ChosenTarget();
    modeNames_.clear();
    for (std::uint32_t i = 0; i < modes_.count; ++i)
        modeNames_.emplace_back(modes_.data()[i].name.text());
    // A mode a rule names stays on show when the keyboard lists it no more.
    for (const rules::Rule& rule : rules_.rules)
        if (rule.target.mode && std::ranges::none_of(modeNames_, [&](const std::string& name) {
                return SameMode(name, *rule.target.mode);
            }))
            modeNames_.push_back(*rule.target.mode);
    if (modeBox_) {
        modeBox_->ResetContent();
        modeBox_->InsertItem(-1, Translated("The profile's own mode"));
        for (const std::string& name : modeNames_) modeBox_->InsertItem(-1, Text(name));
    }
    for (SOUI::SComboBox* list : {profileBox_.data(), othersBox_.data()}) {
        if (!list) continue;
        list->ResetContent();
        if (list == othersBox_) list->InsertItem(-1, Translated("Leave the keyboard as it is"));
        for (int i = 0; i < ProfileCount(); ++i) list->InsertItem(-1, ProfileName(i));
    }
    if (othersBox_) othersBox_->SetCurSel(rules_.otherwise ? rules_.otherwise->profile + 1 : 0);
    SelectTarget(chosen);
}

std::optional<std::string> AppRulesDlg::ChosenMode() const {
    const int choice = modeBox_ ? modeBox_->GetCurSel() : -1;
    if (choice <= 0 || choice > static_cast<int>(modeNames_.size())) return std::nullopt;
    return modeNames_[static_cast<std::size_t>(choice - 1)];
}

rules::Target AppRulesDlg::ChosenTarget() const {
    return {profileBox_ ? std::max(profileBox_->GetCurSel(), 0) : 0, ChosenMode()};
}

void AppRulesDlg::SelectTarget(const rules::Target& target) {
    if (profileBox_) profileBox_->SetCurSel(std::min(target.profile, ProfileCount() - 1));
    const auto found = std::ranges::find_if(modeNames_, [&](const std::string& name) {
        return target.mode && SameMode(name, *target.mode);
    });
    if (modeBox_)
        modeBox_->SetCurSel(
            found == modeNames_.end() ? 0 : static_cast<int>(found - modeNames_.begin()) + 1);
}

std::string AppRulesDlg::SelectedApp() const {
    const int row = list_ ? list_->GetSel() : -1;
    return row >= 0 && row < static_cast<int>(rules_.rules.size())
               ? rules_.rules[static_cast<std::size_t>(row)].app
               : std::string();
}

void AppRulesDlg::OnRowSelected(int row) {
    if (remove_) remove_->EnableWindow(row >= 0);
    if (row < 0 || row >= static_cast<int>(rules_.rules.size())) return;
    const rules::Rule& rule = rules_.rules[static_cast<std::size_t>(row)];
    if (appBox_) appBox_->Combo()->setEditText(Text(rule.app));
    SelectTarget(rule.target);
}

void AppRulesDlg::OnSave() {
    const std::string app = appBox_ ? appBox_->Combo()->currentText().trimmed().toStdString() : "";
    if (app.empty()) {
        Note(Translated("Type the application's name first, or pick one seen in front."));
        if (appBox_) appBox_->Combo()->setFocus(Qt::OtherFocusReason);
        return;
    }
    Note({});
    RulesRequest request{RulesRequest::Action::Add, app, ChosenTarget()};
    Change(request);
}

void AppRulesDlg::OnRemove() {
    const std::string app = SelectedApp();
    if (!app.empty()) Change({RulesRequest::Action::Remove, app, {}});
}

void AppRulesDlg::OnOthers(int choice) {
    if (choice <= 0)
        Change({RulesRequest::Action::Remove, std::string(kOtherApplications), {}});
    else
        Change({RulesRequest::Action::Add, std::string(kOtherApplications), {choice - 1, {}}});
}

void AppRulesDlg::Change(const RulesRequest& request) {
    changes_.Post([this, &rules = switch_, request]() -> SOUI::SWorkThread::Reply {
        nlohmann::json report;
        const Outcome outcome = rules.Rules(request, report);
        return [this, outcome, now = rules.Current(), app = request.app] {
            Show(now, app == kOtherApplications ? std::string() : app);
            if (outcome.code != kExitDone) Tell(outcome);
        };
    });
}

void AppRulesDlg::Tell(const Outcome& outcome) {
    // A rule that could not be saved holds until the program ends; other failures say why.
    const QString text =
        outcome.code == kExitKeyboard
            ? Translated("The change holds until Keylume ends, but it could not be saved: %1")
            : QStringLiteral("%1");
    SOUI::SMessageBox(GetHostHwnd(), text.arg(Text(outcome.message)),
                      Translated("Profiles by application"), SOUI::MB_OK);
}

void AppRulesDlg::Note(const QString& text) {
    if (note_) note_->SetWindowText(text);
}

bool AppRulesDlg::OnEvent(SOUI::EventArgs* e) {
    if (e->id == SOUI::EventLVSelChanged::EventID && e->sender == list_) {
        OnRowSelected(static_cast<SOUI::EventLVSelChanged*>(e)->iNewSel);
        return true;
    }
    if (e->id == SOUI::EventCBSelChange::EventID && e->sender == othersBox_) {
        OnOthers(static_cast<SOUI::EventCBSelChange*>(e)->nCurSel);
        return true;
    }
    if (e->id != SOUI::EVT_CMD) return false;
    if (e->nameFrom == QLatin1String("rule_save")) {
        OnSave();
    } else if (e->nameFrom == QLatin1String("rule_remove")) {
        OnRemove();
    } else if (e->nameFrom == QLatin1String("rules_on")) {
        Change({on_ && on_->IsChecked() ? RulesRequest::Action::On : RulesRequest::Action::Off,
                {},
                {}});
    } else if (e->nameFrom == QLatin1String("btn_close")) {
        EndDialog(SOUI::IDCANCEL);
    } else {
        return false;
    }
    return true;
}
