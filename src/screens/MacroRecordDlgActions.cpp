// The macro editor's requests, group and step commands and recording.
#include <algorithm>
#include <cstdio>

#include "persist/MacroLimits.h"
#include "records/KeyTable.h"
#include "records/MacroRequest.h"
#include "screens/EditorKeys.h"
#include "screens/KeyboardHook.h"
#include "screens/MacroGroupAdapter.h"
#include "screens/MacroItemAdapter.h"
#include "screens/MacroRecordDlg.h"
#include "ui/Application.h"
#include "ui/CheckControls.h"
#include "ui/ListView.h"
#include "ui/MessageBox.h"
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
    const char* reason = nullptr;
    // Nothing recorded or chosen: the key keeps what it plays.
    const bool untouched = unshown_ && *unshown_ == Param() && lastEventTime_ < 0;
    if (request_.count && !untouched) {
        // Nothing to assign: the editor stays open and says why.
        if (!FillRequest(request, reason)) {
            ShowReason(reason);
            return;
        }
        request_.set(&request, shapes::kApply, true, true);
        const MacroRecordParam& p = Param();
        if (p.page == 1) RememberEntry(1, p.singlekey);
        if (p.page == 2)
            RememberEntry(2, static_cast<int>(ListEntry(funcKeys_, p.funcsel) - funcKeys_.data()));
    }
    EndDialog(SOUI::IDOK);
}

void MacroRecordDlg::ShowReason(const char* reason) {
    if (!ui_.reason) return;
    const QString text = reason ? QString::fromUtf8(reason) : QString();
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    ui_.reason->SetWindowText(app && !text.isEmpty() ? app->Tr(text) : text);
}

QString MacroRecordDlg::AssignReason() const {
    return ui_.reason ? ui_.reason->GetWindowText() : QString();
}

bool MacroRecordDlg::FillRequest(macrokey_pack_t& request, const char*& reason) {
    const MacroRecordParam& p = Param();
    switch (p.page) {
        case 0: {
            const MacroRecordGroup* group = SelectedGroup();
            reason = "Pick a group, or add one and record its keys.";
            if (!group) return false;
            const int repeat = workInfo_.count ? workInfo_.current().repeat : 1;
            macroreq::FillMacro(request, *group, repeat, p.playmode, key_.index);
            return true;
        }
        case 1:
            macroreq::FillSingleKey(request, p.singlekey, key_.index);
            return true;
        case 2: {
            const MacroFuncKey* entry = ListEntry(funcKeys_, p.funcsel);
            reason = entry ? "This entry has no key to send." : "Pick a function key first.";
            if (!entry || (entry->code & 0xFFFF) == 0) return false;
            macroreq::FillFunctionKey(request, *entry, key_.index);
            return true;
        }
        case 3: {
            const MacroCombKey* entry = ListEntry(combKeys_, p.cmbsel);
            reason = entry ? "This combination has no keys." : "Pick a key combination first.";
            if (!entry || entry->keys.empty()) return false;
            macroreq::FillCombination(request, *entry, key_.index);
            return true;
        }
        default:
            return false;
    }
}

void MacroRecordDlg::OnDelete() {
    if (request_.count) {
        macrokey_pack_t request = request_.current();
        macroreq::FillDelete(request, key_.index);
        request_.set(&request, shapes::kApply, true, true);
    }
    EndDialog(END_DELETE);
}

namespace {

bool HasName(const std::list<MacroRecordGroup>& list, const std::wstring& name) {
    return std::any_of(list.begin(), list.end(), [&](const MacroRecordGroup& g) {
        return g.info.count && g.info.data()[0].name == name;
    });
}

}  // namespace

bool MacroRecordDlg::OnGroupAdd() {
    std::list<MacroRecordGroup>& list = groups_.data()[0];
    if (static_cast<int>(list.size()) >= MAX_GROUPS) return false;
    int id = 0;
    while (std::any_of(list.begin(), list.end(), [id](const MacroRecordGroup& g) {
        return g.info.count && g.info.data()[0].id == id;
    }))
        ++id;
    // The name follows the id, unless a group was renamed to it: names stay unique.
    std::wstring name;
    for (int n = id; name.empty() || HasName(list, name); ++n) {
        wchar_t text[32];
        std::swprintf(text, 32, L"Group %d", n);
        name = text;
    }
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{id, 1, name};
    groups_.push_back(group);
    GroupsChanged();
    Param().gpsel = static_cast<int>(list.size()) - 1;
    params_.fireAll(shapes::kApply, false);
    if (ui_.groups) ui_.groups->SetSel(Param().gpsel);
    return true;
}

void MacroRecordDlg::OnGroupDel() {
    if (!ui_.groups || ui_.groups->GetSel() < 0) return;
    const int row = ui_.groups->GetSel();
    const MacroRecordGroup* group = groups_.findItem(static_cast<uint32_t>(row));
    if (!group) return;
    if (group->items.count && !group->items.data()[0].empty()) {
        SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
        const QString question = QStringLiteral("Delete the group \"%1\" and its recorded steps?");
        const QString text =
            (app ? app->Tr(question) : question)
                .arg(QString::fromStdWString(group->info.count ? group->info.data()[0].name : L""));
        const bool yes = confirm_ ? confirm_(GetHostHwnd(), text)
                                  : SOUI::SMessageBox(GetHostHwnd(), text,
                                                      app ? app->Tr("Delete group")
                                                          : QStringLiteral("Delete group"),
                                                      SOUI::MB_OKCANCEL) == SOUI::IDOK;
        if (!yes || !IsWindow()) return;
    }
    groups_.erase(static_cast<uint32_t>(row));
    GroupsChanged();
    params_.fireAll(shapes::kApply, false);
}

void MacroRecordDlg::OnGroupSelected(int row) {
    // Widgets being torn down after the window closed still signal; nothing may change then.
    if (!IsWindow()) return;
    Param().gpsel = row;
    params_.fireAll(shapes::kApply, false);
}

void MacroRecordDlg::OnGroupRenamed(int row, const std::wstring& name) {
    if (!IsWindow()) return;
    MacroRecordGroup* group = row >= 0 ? groups_.findItem(static_cast<uint32_t>(row)) : nullptr;
    if (!group || !group->info.count) return;
    group->info.current().name = name;
    // The working info is written back over the group later; it must not carry the old name.
    if (group == SelectedGroup() && workInfo_.count) workInfo_.current().name = name;
    groups_.fireOthers(shapes::kApply, false);
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
    params_.fireAll(shapes::kApply, false);
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
        // A pause longer than the keyboard keeps is kept as its longest, as the file keeps it.
        items.back().delay = static_cast<int>(
            std::clamp<std::int64_t>(delay, persist::kDelayRange.low, persist::kDelayRange.high));
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
    // Keys typed elsewhere work the editor; Tab leaves the field.
    if (!ui_.singleKey || !editorkeys::HasFocus(ui_.singleKey.data()) ||
        editorkeys::MovesFocus(info.vkCode))
        return 0;
    const int code = KeyCode(info);
    Param().singlekey = code;
    if (ui_.singleKey) {
        if (code) {
            ui_.singleKey->SetWindowText(QString::fromStdWString(
                std::wstring(FindKeyByVirtualKey(info.vkCode, info.flags & LLKHF_EXTENDED).name)));
        }
        ui_.singleKey->SetUserData(code);
    }
    params_.fireAll(shapes::kApply, false);
    return 1;
}
