#pragma once
#include <QString>

#include "records/AppRecords.h"
#include "store/Shape.h"
#include "ui/Adapter.h"

// Columns of the macro editor's step list: code, name, state and an editable
// delay. A delay typed into a row is stored in the step and announced to the
// list's owner, which writes it back into the group.
class MacroItemAdapter : public SOUI::SMcAdapterBase {
public:
    using Items = MacroRecordGroup::ItemsShape;

    explicit MacroItemAdapter(Items& items);

    int getCount() override;
    void getView(int position, SOUI::SWindow* pItem, pugi::xml_node xmlTemplate) override;
    QString GetColumnName(int iCol) const override;
    // Only the header's flags change; the steps keep their order.
    bool OnSort(int iCol, SOUI::SHDSORTFLAG* stFlags, int nCols) override;

    static QString StateText(int state);

private:
    void OnDelayEdited(SOUI::SWindow* edit);

    Items& items_;
    bool filling_ = false;
};
