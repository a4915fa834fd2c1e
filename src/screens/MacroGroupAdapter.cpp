#include "screens/MacroGroupAdapter.h"

#include <QEvent>
#include <QLineEdit>
#include <functional>

#include "ui/EventWatch.h"
#include "ui/InputControls.h"
#include "ui/SWindow.h"

namespace {

void SetRenaming(SOUI::SEdit* name, bool on) {
    // Outside renaming the field lets clicks through to its row, so a click on the name
    // selects the group like a click anywhere else on the row.
    name->setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    name->LineEdit()->setReadOnly(!on);
    if (on) {
        name->LineEdit()->setFocus(Qt::MouseFocusReason);
        name->LineEdit()->selectAll();
    } else {
        name->LineEdit()->deselect();
    }
}

}  // namespace

MacroGroupAdapter::MacroGroupAdapter(Groups& groups, OnSelect select, OnRename rename)
    : groups_(groups), select_(std::move(select)), rename_(std::move(rename)) {}

int MacroGroupAdapter::getCount() {
    return groups_.count ? static_cast<int>(groups_.data()[0].size()) : 0;
}

const MacroRecordGroup* MacroGroupAdapter::GroupAt(int row) {
    return row >= 0 ? groups_.findItem(static_cast<uint32_t>(row)) : nullptr;
}

void MacroGroupAdapter::getView(int position, SOUI::SWindow* pItem, pugi::xml_node xmlTemplate) {
    if (pItem->Children().empty()) {
        pItem->InitFromXml(xmlTemplate);
        Subscribe(pItem);
    }
    pItem->SetUserData(position);
    auto* name = pItem->FindChildByName2<SOUI::SEdit>("group_name");
    const MacroRecordGroup* group = GroupAt(position);
    if (!name || !group) return;
    name->SetUserData(position);
    const QString text =
        QString::fromStdWString(group->info.count ? group->info.data()[0].name : std::wstring());
    filling_ = true;
    if (name->GetWindowText() != text) name->SetWindowText(text);
    filling_ = false;
}

bool MacroGroupAdapter::OnTyped(int, SOUI::SWindow* pItem, const QString& text) {
    auto* name = pItem->FindChildByName2<SOUI::SEdit>("group_name");
    if (!name) return false;
    // The whole name is selected, so the typed text replaces it as in any renaming.
    SetRenaming(name, true);
    name->LineEdit()->insert(text);
    return true;
}

void MacroGroupAdapter::Subscribe(SOUI::SWindow* row) {
    row->Subscribe<SOUI::EventCmd>([this, row](SOUI::EventCmd*) {
        select_(static_cast<int>(row->GetUserData()));
        return true;
    });
    auto* name = row->FindChildByName2<SOUI::SEdit>("group_name");
    if (!name) return;
    // A double click on a row renames its group; Enter or leaving the field ends it.
    SetRenaming(name, false);
    SOUI::WatchEvents(row, [name](QEvent* event) {
        if (event->type() == QEvent::MouseButtonDblClick) SetRenaming(name, true);
        return false;
    });
    QObject::connect(name->LineEdit(), &QLineEdit::editingFinished,
                     [name] { SetRenaming(name, false); });
    name->Subscribe<SOUI::EventRENotify>([this, name](SOUI::EventRENotify* e) {
        if (e->iNotify != SOUI::EN_CHANGE || filling_) return true;
        const int row = static_cast<int>(name->GetUserData());
        const MacroRecordGroup* group = GroupAt(row);
        const std::wstring text = name->GetWindowText().toStdWString();
        if (group && group->info.count && group->info.data()[0].name != text) rename_(row, text);
        return true;
    });
}
