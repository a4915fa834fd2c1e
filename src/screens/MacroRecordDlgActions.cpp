// The macro editor's requests, group and step commands and recording.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "screens/KeyTable.h"
#include "screens/KeyboardHook.h"
#include "screens/MacroGroupAdapter.h"
#include "screens/MacroItemAdapter.h"
#include "screens/MacroRecordDlg.h"
#include "screens/MacroRequest.h"
#include "ui/CheckControls.h"
#include "ui/ListView.h"
#include "ui/TabCtrl.h"

namespace {

// Process-wide like the hook itself: the key held down while recording, so its
// auto-repeat is not recorded again.
std::uint32_t g_lastKeyDown = 0;

}  // namespace

void MacroRecordDlg::ForgetHeldKey() {
    g_lastKeyDown = 0;
}

namespace {

int KeyCode(const KBDLLHOOKSTRUCT& info) {
    return static_cast<int>((info.scanCode & 0xFFFF) +
                            ((info.flags & LLKHF_EXTENDED) ? KeyTableEntry::EXTENDED_CODE_BIT : 0));
}

// The entry a list page sends: the saved selection, else the list's own.
template <class Shape>
const typename Shape::value_type* ListEntry(const Shape& list, int saved) {
    const std::int64_t index = saved >= 0 ? saved : static_cast<std::int64_t>(list.index());
    if (index < 0 || index >= static_cast<std::int64_t>(list.count)) return nullptr;
    return &list.data()[index];
}

}  // namespace

void MacroRecordDlg::OnOk() {
    macrokey_pack_t request = request_.count ? request_.current() : macrokey_pack_t{};
    if (request_.count && FillRequest(request)) request_.set(&request, 0, true, true);
    EndDialog(SOUI::IDOK);
}

bool MacroRecordDlg::FillRequest(macrokey_pack_t& request) {
    const MacroRecordParam& p = Param();
    switch (p.page) {
        case 0: {
            const MacroRecordGroup* group = SelectedGroup();
            if (!group) return false;
            const int repeat = workInfo_.count ? workInfo_.current().repeat : 1;
            macroreq::FillMacro(request, *group, repeat, p.playmode, key_.index);
            return true;
        }
        case 1:
            macroreq::FillSingleKey(request, p.singlekey, key_.index);
            return true;
        case 2:
            if (const MacroFuncKey* entry = ListEntry(funcKeys_, p.funcsel)) {
                macroreq::FillFunctionKey(request, *entry, key_.index);
                return true;
            }
            return false;
        case 3:
            if (const MacroCombKey* entry = ListEntry(combKeys_, p.cmbsel)) {
                macroreq::FillCombination(request, *entry, key_.index);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void MacroRecordDlg::OnDelete() {
    if (request_.count) {
        macrokey_pack_t request = request_.current();
        macroreq::FillDelete(request, key_.index);
        request_.set(&request, 0, true, true);
    }
    EndDialog(END_DELETE);
}

void MacroRecordDlg::OnGroupAdd() {
    std::list<MacroRecordGroup>& list = groups_.data()[0];
    for (int id = 0; id < MAX_GROUPS; ++id) {
        const bool taken = std::any_of(list.begin(), list.end(), [id](const MacroRecordGroup& g) {
            return g.info.count && g.info.data()[0].id == id;
        });
        if (taken) continue;
        MacroRecordGroup group;
        wchar_t name[32];
        std::swprintf(name, 32, L"Group %d", id);
        group.info.current() = MacroRecordGpInfo{id, 1, name};
        groups_.push_back(group);
        GroupsChanged();
        break;
    }
    const int rows = groupAdapter_ ? groupAdapter_->getCount() : 0;
    Param().gpsel = rows == 1 ? 0 : static_cast<int>(list.size()) - 1;
    params_.fireAll(0, false);
    if (ui_.groups) ui_.groups->SetSel(Param().gpsel);
}

void MacroRecordDlg::OnGroupDel() {
    if (!ui_.groups || ui_.groups->GetSel() < 0) return;
    groups_.erase(static_cast<uint32_t>(ui_.groups->GetSel()));
    GroupsChanged();
    params_.fireAll(0, false);
}

void MacroRecordDlg::OnGroupSelected(int row) {
    // Widgets being torn down after the window closed still signal; nothing may change then.
    if (!IsWindow()) return;
    Param().gpsel = row;
    params_.fireAll(0, false);
}

void MacroRecordDlg::OnGroupRenamed(int row, const std::wstring& name) {
    if (!IsWindow()) return;
    MacroRecordGroup* group = row >= 0 ? groups_.findItem(static_cast<uint32_t>(row)) : nullptr;
    if (!group || !group->info.count) return;
    group->info.current().name = name;
    // The working info is written back over the group later; it must not carry the old name.
    if (group == SelectedGroup() && workInfo_.count) workInfo_.current().name = name;
    groups_.fireOthers(0, false);
}

void MacroRecordDlg::OnStepCommand(const QString& name) {
    const int s = ui_.items ? ui_.items->GetSel() : -1;
    const int rows = workItems_.count ? static_cast<int>(workItems_.data()[0].size()) : 0;
    if (name == "item_up") {
        if (s <= 0) return;
        workItems_.moveUp(static_cast<uint32_t>(s));
        ItemsChanged();
        ui_.items->SetSel(s - 1);
    } else if (name == "item_down") {
        if (s < 0 || s >= rows) return;
        workItems_.moveDown(static_cast<uint32_t>(s));
        ItemsChanged();
        ui_.items->SetSel(s + 1);
    } else if (name == "item_delete") {
        if (s >= 0 && s < rows) {
            workItems_.erase(static_cast<uint32_t>(s));
            ItemsChanged();
        }
    } else {
        if (workItems_.count) workItems_.data()[0].clear();
        workItems_.fire(0, SHAPE_SELF | SHAPE_COPY | SHAPE_HOOK);
        ItemsChanged();
    }
    Param().gpsel = ui_.groups ? ui_.groups->GetSel() : -1;
    params_.fireAll(0, false);
}

void MacroRecordDlg::ItemsChanged() {
    if (itemAdapter_) itemAdapter_->notifyDataSetChanged();
}

void MacroRecordDlg::GroupsChanged() {
    if (groupAdapter_) groupAdapter_->notifyDataSetChanged();
}

int MacroRecordDlg::PageOfTab() const {
    return ui_.tab ? ui_.tab->GetCurSel() : -1;
}

SOUI::LRESULT MacroRecordDlg::OnKeyboardEvent(int, SOUI::WPARAM& wParam, SOUI::LPARAM& lParam) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (!info) return 0;
    const auto message = static_cast<SOUI::UINT>(wParam);
    switch (PageOfTab()) {
        case 0:
            return RecordMacroKey(message, *info);
        case 1:
            return CaptureSingleKey(message, *info);
        default:
            return 0;
    }
}

SOUI::LRESULT MacroRecordDlg::RecordMacroKey(SOUI::UINT message, const KBDLLHOOKSTRUCT& info) {
    if (!ui_.record || !ui_.record->IsChecked() || !SelectedGroup()) return 0;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        if (info.vkCode == g_lastKeyDown) return 1;
        g_lastKeyDown = info.vkCode;
        RecordStep(info, 0);
    } else if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        g_lastKeyDown = 0;
        if (workItems_.count && !workItems_.data()[0].empty()) RecordStep(info, 1);
    }
    return 1;
}

void MacroRecordDlg::RecordStep(const KBDLLHOOKSTRUCT& info, int state) {
    const std::int64_t now = clock_();
    std::list<MacroRecordGpItem>& items = workItems_.data()[0];
    if (!items.empty()) {
        std::int64_t delay = 0;
        if (Param().dlmode == 0)
            delay = now - lastEventTime_;
        else if (Param().dlmode == 1)
            delay = Param().period;
        items.back().delay = static_cast<int>(std::clamp<std::int64_t>(delay, INT_MIN, INT_MAX));
    }
    MacroRecordGpItem step;
    step.code = KeyCode(info);
    step.state = state;
    step.name = std::wstring(FindKeyByVirtualKey(info.vkCode, info.flags & LLKHF_EXTENDED).name);
    workItems_.push_back(step);
    ItemsChanged();
    lastEventTime_ = now;
}

SOUI::LRESULT MacroRecordDlg::CaptureSingleKey(SOUI::UINT message, const KBDLLHOOKSTRUCT& info) {
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) return 0;
    const int code = KeyCode(info);
    Param().singlekey = code;
    if (ui_.singleKey) {
        if (code) {
            ui_.singleKey->SetWindowText(QString::fromStdWString(
                std::wstring(FindKeyByVirtualKey(info.vkCode, info.flags & LLKHF_EXTENDED).name)));
        }
        ui_.singleKey->SetUserData(code);
    }
    params_.fireAll(0, false);
    return 1;
}
