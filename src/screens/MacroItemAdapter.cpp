#include "screens/MacroItemAdapter.h"

#include <cstdio>

#include "persist/MacroLimits.h"
#include "records/SharedShapes.h"
#include "ui/Application.h"
#include "ui/SWindow.h"
#include "widgets/EditEx.h"

namespace {

void SetText(SOUI::SWindow* row, const char* name, const QString& text) {
    if (SOUI::SWindow* cell = row->FindChildByName(name))
        if (cell->GetWindowText() != text) cell->SetWindowText(text);
}

}  // namespace

MacroItemAdapter::MacroItemAdapter(Items& items) : items_(items) {}

int MacroItemAdapter::getCount() {
    return items_.count ? static_cast<int>(items_.data()[0].size()) : 0;
}

QString MacroItemAdapter::StateText(int state) {
    const QString text = state == 0   ? QStringLiteral("key down")
                         : state == 1 ? QStringLiteral("key up")
                                      : QStringLiteral("replace");
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    return app ? app->Tr(text) : text;
}

void MacroItemAdapter::getView(int position, SOUI::SWindow* pItem, pugi::xml_node xmlTemplate) {
    if (pItem->Children().empty()) {
        pItem->InitFromXml(xmlTemplate);
        if (auto* delay = pItem->FindChildByName2<SOUI::SEditEx>("key_delay")) {
            delay->Subscribe<SOUI::EventRENotify>([this, delay](SOUI::EventRENotify* e) {
                if (e->iNotify == SOUI::EN_CHANGE && !filling_) OnDelayEdited(delay);
                return true;
            });
        }
    }
    pItem->SetUserData(position);
    const MacroRecordGpItem* item =
        position >= 0 ? items_.findItem(static_cast<uint32_t>(position)) : nullptr;
    if (!item) return;
    filling_ = true;
    SetText(pItem, "key_code", QString::number(item->code));
    SetText(pItem, "key_name", QString::fromStdWString(item->name));
    SetText(pItem, "key_state", StateText(item->state));
    if (SOUI::SWindow* delay = pItem->FindChildByName("key_delay")) {
        delay->SetUserData(position);
        SetText(pItem, "key_delay", QString::number(item->delay));
    }
    filling_ = false;
}

void MacroItemAdapter::OnDelayEdited(SOUI::SWindow* edit) {
    const int row = static_cast<int>(edit->GetUserData());
    MacroRecordGpItem* item = row >= 0 ? items_.findItem(static_cast<uint32_t>(row)) : nullptr;
    if (!item) return;
    int value = 0;
    const bool number = std::sscanf(edit->GetWindowText().toStdString().c_str(), "%d", &value) == 1;
    // Text that is no number puts the stored delay back; one past what the keyboard keeps shows
    // the nearest it keeps.
    const int kept = persist::kDelayRange.Nearest(value);
    if (!number || kept != value) {
        filling_ = true;
        edit->SetWindowText(QString::number(number ? kept : item->delay));
        filling_ = false;
        if (!number) return;
        value = kept;
    }
    if (value == item->delay) return;
    item->delay = value;
    // Announced to the owner at once, so the group and the file get the new delay.
    items_.fireSelf(shapes::kApply, SelfDelivery::Now);
}

QString MacroItemAdapter::GetColumnName(int iCol) const {
    return QStringLiteral("col%1").arg(iCol + 1);
}

bool MacroItemAdapter::OnSort(int iCol, SOUI::SHDSORTFLAG* stFlags, int nCols) {
    if (iCol < 0 || iCol >= nCols) return false;
    const SOUI::SHDSORTFLAG next = stFlags[iCol] == SOUI::ST_UP ? SOUI::ST_DOWN : SOUI::ST_UP;
    for (int i = 0; i < nCols; ++i) stFlags[i] = SOUI::ST_NULL;
    stFlags[iCol] = next;
    return true;
}
