#include "screens/MacroRecordDlg.h"

#include <QWidget>
#include <chrono>

#include "records/KeyTable.h"
#include "records/MacroRequest.h"
#include "screens/EditorKeys.h"
#include "screens/KeyboardHook.h"
#include "screens/MacroGroupAdapter.h"
#include "screens/MacroItemAdapter.h"
#include "ui/Application.h"
#include "ui/BasicControls.h"
#include "ui/CheckControls.h"
#include "ui/InputControls.h"
#include "ui/ListView.h"
#include "ui/TabCtrl.h"

namespace {

const char* const kDelayBoxNames[3] = {"chk_macro_realy_delay", "chk_macro_fixed_delay",
                                       "chk_macro_no_delay"};

}  // namespace

bool MacroRecordDlg::IsClass(const QString& name) {
    for (const char* cls : {GetClassName(), "hostdialog", "hostwnd"})
        if (name.compare(QLatin1String(cls), Qt::CaseInsensitive) == 0) return true;
    return false;
}

MacroRecordDlg::MacroRecordDlg(std::wstring keyName, const CoordButtonInfo& key)
    : SOUI::SHostDialog(QStringLiteral("LAYOUT:macro")), keyName_(std::move(keyName)), key_(key) {}

MacroRecordDlg::~MacroRecordDlg() {
    KeyboardHook::RemoveListener(this);
    DestroyWindow();
}

std::int64_t MacroRecordDlg::ProgramClock() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

bool MacroRecordDlg::ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM, SOUI::LPARAM,
                                          SOUI::LRESULT& result) {
    if (msg == SOUI::WM_INITDIALOG) {
        OnInitDialog();
        result = 1;
        return true;
    }
    if (msg == SOUI::WM_DESTROY) OnDestroy();
    return false;
}

void MacroRecordDlg::OnInitDialog() {
    ShapeBase::attachWindow(this, GetHostHwnd());
    BindControls();
    FillKeyLists();
    if (ui_.record) ui_.record->SetCheck(false);
    ForgetHeldKey();
    KeyboardHook::AddListener(this, &MacroRecordDlg::OnKeyboardEvent);
    editorkeys::CancelOnEscape(GetFrame(), [this] { EndDialog(SOUI::IDCANCEL); });
    groups_.bind(this, &MacroRecordDlg::OnGroupsChanged);
    params_.bind(this, &MacroRecordDlg::OnParamsChanged);
    workItems_.bind(this, &MacroRecordDlg::OnWorkItemsChanged);
    workInfo_.bind(this, &MacroRecordDlg::OnWorkInfoChanged);
    groups_.fireSelf(shapes::kApply, SelfDelivery::Now);
    params_.fireSelf(shapes::kApply, SelfDelivery::Now);
    workItems_.fireSelf(shapes::kApply, SelfDelivery::Now);
    workInfo_.fireSelf(shapes::kApply, SelfDelivery::Now);
    ShowWhatTheKeyPlays();
}

void MacroRecordDlg::BindControls() {
    ui_.items = FindChildByName2<SOUI::SMcListView>("macro_items");
    ui_.groups = FindChildByName2<SOUI::SListView>("macro_group");
    ui_.keyName = FindChildByName2<SOUI::SStatic>("text_recording_keys");
    for (int i = 0; i < 3; ++i) {
        ui_.delayBoxes[i] = GetRoot() ? GetRoot()->FindChildByName(kDelayBoxNames[i]) : nullptr;
        if (ui_.delayBoxes[i]) ui_.delayBoxes[i]->SetCheck(false);
    }
    ui_.singleKey = FindChildByName2<SOUI::SStatic>("edit_single_key");
    ui_.mediaKeys = FindChildByName2<SOUI::SComboBox>("cmb_media_keys");
    ui_.functionKeys = FindChildByName2<SOUI::SComboBox>("cmb_function_keys");
    ui_.playMode = FindChildByName2<SOUI::SComboBox>("macro_play_mode");
    SOUI::SWindow* record =
        GetRoot() ? GetRoot()->FindChildByName2("chk_macro_record", "checkex") : nullptr;
    ui_.record = dynamic_cast<SOUI::SToggleButton*>(record);
    ui_.reason = GetRoot() ? GetRoot()->FindChildByName("text_assign_reason") : nullptr;
    ui_.delayTime = FindChildByName2<SOUI::SEdit>("edit_macro_delay_time");
    ui_.repeatTimes = FindChildByName2<SOUI::SEdit>("edit_macro_repeat_times");
    ui_.tab = GetRoot() ? dynamic_cast<SOUI::STabCtrl*>(
                              GetRoot()->FindChildByName2("tab_macro_mode_selection", "tabctrl2"))
                        : nullptr;

    itemAdapter_ = std::make_shared<MacroItemAdapter>(workItems_);
    groupAdapter_ = std::make_shared<MacroGroupAdapter>(
        groups_, [this](int row) { OnGroupSelected(row); },
        [this](int row, const std::wstring& name) { OnGroupRenamed(row, name); });
    if (ui_.items) ui_.items->SetAdapter(itemAdapter_);
    if (ui_.groups) ui_.groups->SetAdapter(groupAdapter_);
    if (ui_.keyName) ui_.keyName->SetWindowText(QString::fromStdWString(keyName_));
    if (ui_.singleKey) editorkeys::MakeCaptureField(ui_.singleKey.data());
    if (ui_.groups)
        // The highlighted row is the selected group, whether a click or an arrow key moved it.
        ui_.groups->Subscribe<SOUI::EventLVSelChanged>([this](SOUI::EventLVSelChanged* e) {
            if (e->iNewSel >= 0) OnGroupSelected(e->iNewSel);
            return true;
        });

    if (ui_.tab)
        ui_.tab->Subscribe<SOUI::EventTabSelChanged>([this](SOUI::EventTabSelChanged*) {
            OnPageChanged();
            return true;
        });
    if (ui_.record)
        ui_.record->Subscribe<SOUI::EventCmd>([this](SOUI::EventCmd*) {
            OnRecordBoxCommand();
            return false;
        });
    for (SOUI::SEdit* edit : {ui_.delayTime.data(), ui_.repeatTimes.data()}) {
        if (!edit) continue;
        edit->Subscribe<SOUI::EventRENotify>([this, edit](SOUI::EventRENotify* e) {
            if (e->iNotify != SOUI::EN_CHANGE) return true;
            if (edit == ui_.repeatTimes)
                OnRepeatEdited();
            else
                OnDelayTimeEdited();
            return true;
        });
    }
    for (SOUI::SComboBox* combo :
         {ui_.mediaKeys.data(), ui_.functionKeys.data(), ui_.playMode.data()}) {
        if (!combo) continue;
        combo->Subscribe<SOUI::EventCBSelChange>([this, combo](SOUI::EventCBSelChange* e) {
            OnComboChanged(combo, e->nCurSel);
            return true;
        });
    }
}

void MacroRecordDlg::FillKeyLists() {
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    auto translate = [app](const std::wstring& text) {
        const QString q = QString::fromStdWString(text);
        return app ? app->Tr(q) : q;
    };
    if (ui_.mediaKeys) {
        ui_.mediaKeys->ResetContent();
        for (uint32_t i = 0; i < funcKeys_.count; ++i)
            ui_.mediaKeys->InsertItem(-1, translate(funcKeys_.data()[i].name));
    }
    if (ui_.functionKeys) {
        ui_.functionKeys->ResetContent();
        for (uint32_t i = 0; i < combKeys_.count; ++i)
            ui_.functionKeys->InsertItem(-1, translate(combKeys_.data()[i].name));
    }
}

void MacroRecordDlg::OnDestroy() {
    // Recording ends with the editor: no key is swallowed for a closed window.
    KeyboardHook::RemoveListener(this);
    KeyboardHook::Remove();
}

MacroRecordGroup* MacroRecordDlg::SelectedGroup() {
    const int gpsel = params_.count ? Param().gpsel : -1;
    return gpsel >= 0 ? groups_.findItem(static_cast<uint32_t>(gpsel)) : nullptr;
}

void MacroRecordDlg::OnParamsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t,
                                     uint32_t, int) {
    Refresh();
}

void MacroRecordDlg::Refresh() {
    ShowReason(nullptr);
    const MacroRecordParam p = Param();
    // The settings show whether or not a group is selected: on a first run there is none.
    ShowSettings(p);
    MacroRecordGroup* group = SelectedGroup();
    if (!group) {
        // The steps list follows the selection: no group, no steps, and a new group's repeat.
        if (workItems_.count && !workItems_.data()[0].empty()) {
            workItems_.data()[0].clear();
            if (itemAdapter_) itemAdapter_->notifyDataSetChanged();
        }
        if (ui_.repeatTimes) ui_.repeatTimes->SetWindowText(QStringLiteral("1"));
        return;
    }
    if (!(workItems_ == group->items)) workItems_ = group->items;
    workItems_.selection.index = group->items.index();
    if (itemAdapter_) itemAdapter_->notifyDataSetChanged();
    if (ui_.groups && ui_.groups->GetSel() != p.gpsel) ui_.groups->SetSel(p.gpsel);

    if (!(workInfo_ == group->info)) workInfo_ = group->info;
    workInfo_.selection.index = group->info.index();
    if (ui_.repeatTimes)
        ui_.repeatTimes->SetWindowText(
            QString::number(group->info.count ? group->info.data()[0].repeat : 0));
}

void MacroRecordDlg::ShowSettings(const MacroRecordParam& p) {
    if (ui_.singleKey)
        ui_.singleKey->SetWindowText(
            p.singlekey ? QString::fromStdWString(
                              std::wstring(FindKeyByCode(static_cast<uint32_t>(p.singlekey)).name))
                        : QString());
    // Only what differs: an entry set again would be announced, and saved, once more.
    if (ui_.mediaKeys && ui_.mediaKeys->GetCurSel() != p.funcsel)
        ui_.mediaKeys->SetCurSel(p.funcsel, true);
    if (ui_.functionKeys && ui_.functionKeys->GetCurSel() != p.cmbsel)
        ui_.functionKeys->SetCurSel(p.cmbsel, true);
    if (ui_.tab && ui_.tab->GetCurSel() != p.page) ui_.tab->SetCurSel(p.page);
    for (int i = 0; i < 3; ++i)
        if (ui_.delayBoxes[i]) ui_.delayBoxes[i]->SetCheck(i == p.dlmode);
    if (p.dlmode < 0 || p.dlmode > 2) return;
    ShowDelayTime(p.dlmode);
    if (ui_.playMode) ui_.playMode->SetCurSel(p.playmode, false);
}

void MacroRecordDlg::ShowDelayTime(int mode) {
    if (!ui_.delayTime) return;
    static const char* const kFixedText[3] = {"10", nullptr, "0"};
    if (mode == 1) {
        ui_.delayTime->EnableWindow(true);
        ui_.delayTime->SetWindowText(QString::number(Param().period));
    } else {
        ui_.delayTime->SetWindowText(QString::fromLatin1(kFixedText[mode]));
        ui_.delayTime->EnableWindow(false);
    }
}

void MacroRecordDlg::OnWorkInfoChanged(int, const MacroRecordGpInfo*, uint32_t, uint32_t, uint32_t,
                                       uint32_t, int) {
    if (!IsWindow()) return;
    MacroRecordGroup* group = SelectedGroup();
    if (!group) return;
    group->info = workInfo_;
    groups_.fireOthers(shapes::kApply, false);
}

void MacroRecordDlg::OnWorkItemsChanged(int, const std::list<MacroRecordGpItem>*, uint32_t,
                                        uint32_t, uint32_t, uint32_t, int) {
    if (!IsWindow()) return;
    MacroRecordGroup* group = SelectedGroup();
    if (!group) return;
    if (!(group->items == workItems_)) group->items = workItems_;
    groups_.fireOthers(shapes::kApply, false);
}

bool MacroRecordDlg::OnEvent(SOUI::EventArgs* e) {
    if (e->id != SOUI::EVT_CMD) return false;
    return OnCommand(e->nameFrom, e->idFrom);
}

bool MacroRecordDlg::OnCommand(const QString& name, int id) {
    if (name == "btnRestore") {
        SendMessage(SOUI::WM_SYSCOMMAND, SOUI::SC_RESTORE);
    } else if (name == "btnMin") {
        SendMessage(SOUI::WM_SYSCOMMAND, SOUI::SC_MINIMIZE);
    } else if (name == "btnOK") {
        OnOk();
    } else if (name == "btnDelete") {
        OnDelete();
    } else if (name == "btnCancel") {
        EndDialog(SOUI::IDCANCEL);
    } else if (name == "groupAdd") {
        OnGroupAdd();
    } else if (name == "groupDel") {
        OnGroupDel();
    } else if (name == "groupExport") {
        OnGroupExport();
    } else if (name == "groupImport") {
        OnGroupImport();
    } else if (name == "item_up" || name == "item_down" || name == "item_delete" ||
               name == "item_clear") {
        OnStepCommand(name);
    } else if (name == "chk_macro_record") {
        UpdateHook(ui_.record && ui_.record->IsChecked());
    } else {
        for (int i = 0; i < 3; ++i) {
            if (name == kDelayBoxNames[i] || (name.isEmpty() && id == SOUI::kFirstDelayBoxId + i)) {
                OnDelayMode(i);
                return true;
            }
        }
        return false;
    }
    return true;
}

void MacroRecordDlg::UpdateHook(bool install) {
    if (install)
        KeyboardHook::Install();
    else
        KeyboardHook::Remove();
}

void MacroRecordDlg::OnPageChanged() {
    if (!IsWindow()) return;
    if (!ui_.tab) return;
    ShowReason(nullptr);
    Param().page = ui_.tab->GetCurSel();
    params_.fireAll(shapes::kApply, false);
    const int page = Param().page;
    UpdateHook(page == 1 || (page == 0 && ui_.record && ui_.record->IsChecked()));
    // Only the user's own turn to the page: an editor opening on it leaves Escape to Cancel.
    if (page == 1 && ui_.singleKey && GetFrame() && GetFrame()->isVisible())
        editorkeys::FocusCaptureField(ui_.singleKey.data());
}

void MacroRecordDlg::OnRecordBoxCommand() {
    if (!ui_.record) return;
    // Recording needs a group to go into: without one selected, a new one is made for it.
    if (ui_.record->IsChecked() && (!ui_.groups || ui_.groups->GetSel() < 0 || !SelectedGroup()) &&
        (!ui_.groups || !OnGroupAdd())) {
        ui_.record->SetCheck(false);
        UpdateHook(false);
        ShowReason("Pick a group to record into first.");
        return;
    }
    const QString text =
        ui_.record->IsChecked() ? QStringLiteral("Stop record") : QStringLiteral("Start record");
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    ui_.record->SetWindowText(app ? app->Tr(text) : text);
}

void MacroRecordDlg::OnDelayMode(int mode) {
    Param().dlmode = mode;
    ShowDelayTime(mode);
    params_.fireOthers(shapes::kApply, false);
}

void MacroRecordDlg::OnRepeatEdited() {
    if (!ui_.repeatTimes || !workInfo_.count) return;
    const int value = ui_.repeatTimes->GetWindowText().trimmed().toInt();
    if (value == workInfo_.current().repeat) return;
    workInfo_.current().repeat = value;
    workInfo_.fireSelf(shapes::kApply, SelfDelivery::Now);
}

void MacroRecordDlg::OnDelayTimeEdited() {
    if (!ui_.delayTime || Param().dlmode != 1) return;
    const int value = ui_.delayTime->GetWindowText().trimmed().toInt();
    if (value == Param().period) return;
    Param().period = value;
    params_.fireOthers(shapes::kApply, false);
}

void MacroRecordDlg::OnComboChanged(SOUI::SWindow* sender, int sel) {
    if (!IsWindow()) return;
    if (sender == ui_.playMode) {
        Param().playmode = sel;
        params_.fireAll(shapes::kApply, false);
        return;
    }
    if (sender == ui_.mediaKeys)
        Param().funcsel = sel;
    else
        Param().cmbsel = sel;
    params_.fireOthers(shapes::kApply, false);
}
