#pragma once
// A column header on Qt's header view; a click on a column fires EventHeaderClick.
#include <QHeaderView>
#include <QStandardItemModel>

#include "ui/SWindow.h"

namespace SOUI {

class SHeaderCtrl : public SWindow {
    SOUI_CLASS_NAME(SWindow, "header")
public:
    SHeaderCtrl();
    // Reads <item text="..." width="..."/> children.
    bool OnChildElement(pugi::xml_node node) override;
    int InsertItem(int index, const QString& text, int width);
    int GetItemCount() const { return m_model.columnCount(); }
    // Shows a column's sort flag (ST_NULL, ST_UP or ST_DOWN).
    void SetSortFlag(int column, int flag);
    QHeaderView* View() const { return m_view; }
    QSize GetDesiredSize() const override { return {0, m_view->sizeHint().height()}; }

private:
    QStandardItemModel m_model;
    QHeaderView* m_view;
};

}  // namespace SOUI
