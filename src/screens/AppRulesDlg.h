#pragma once
// Profiles by application: the rules that switch the keyboard as applications come to the
// front, listed, added, changed and removed, the choice for every other application, and the
// switch of the whole. Every change goes through the running window's rules, which save it and
// follow it at once, on a thread of their own, so the window never waits for the disk.
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ops/FrontSwitch.h"
#include "records/SharedShapes.h"
#include "screens/AppRuleRows.h"
#include "ui/HostDialog.h"
#include "ui/WorkThread.h"

namespace SOUI {
class SButton;
class SCheckBox;
class SComboBox;
class SListView;
class SWindow;
}  // namespace SOUI

class AppRulesDlg : public SOUI::SHostDialog {
public:
    explicit AppRulesDlg(FrontSwitch& rules);
    // Changes still on their way are saved first.
    ~AppRulesDlg() override;

protected:
    bool ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                              SOUI::LRESULT& result) override;
    bool OnEvent(SOUI::EventArgs* e) override;

private:
    void OnInitDialog();
    void BindControls();
    void FillApplications();
    void ReadDesktopEntries();
    // As many profiles as the keyboard or the rules have.
    int ProfileCount() const;
    QString ProfileName(int profile) const;
    QString TargetText(const rules::Target& target) const;
    // Fills the controls from `rules`, selecting the rule of `app` (else the one selected).
    void Show(const rules::AppRules& rules, std::string app = {});
    // The profile and mode lists, from the keyboard's and those the rules name; the choices
    // made in them stay.
    void FillTargets();
    std::optional<std::string> ChosenMode() const;
    rules::Target ChosenTarget() const;
    void SelectTarget(const rules::Target& target);
    std::string SelectedApp() const;
    void OnRowSelected(int row);
    void OnSave();
    void OnRemove();
    void OnOthers(int choice);
    // Carries the request out on the work thread; the rules are shown again once it is done,
    // with its failure when there is one.
    void Change(const RulesRequest& request);
    void Tell(const Outcome& outcome);
    void Note(const QString& text);

    FrontSwitch& switch_;
    rules::AppRules rules_;               // as last shown
    std::vector<std::string> modeNames_;  // the mode list's entries after "the profile's own"
    QPointer<SOUI::SCheckBox> on_;
    QPointer<SOUI::SListView> list_;
    QPointer<SOUI::SComboBox> appBox_;
    QPointer<SOUI::SComboBox> profileBox_;
    QPointer<SOUI::SComboBox> modeBox_;
    QPointer<SOUI::SWindow> remove_;
    QPointer<SOUI::SComboBox> othersBox_;
    QPointer<SOUI::SWindow> note_;
    std::shared_ptr<AppRuleRows> rows_ = std::make_shared<AppRuleRows>();
    shapes::Modes modes_{shapes::kModesName, nullptr, 0};
    shapes::Profiles profiles_{shapes::kProfilesName, nullptr, 0};
    // Last: gone first, finishing what was posted. The desktop files are read beside the
    // changes, which never wait for them.
    SOUI::SWorkThread desktop_;
    SOUI::SWorkThread changes_;
};
