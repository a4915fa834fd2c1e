#pragma once
// List views on Qt's list widget: one row window per adapter row, built from the list's
// <template> element. A click on a row selects it and fires the command event from the row.
#include <QListWidget>
#include <memory>
#include <vector>

#include "ui/Adapter.h"
#include "ui/HeaderCtrl.h"
#include "ui/SWindow.h"

namespace SOUI {

struct EventLVSelChanged : TypedEvent<12001> {
    using TypedEvent::TypedEvent;
    int iOldSel = -1;
    int iNewSel = -1;
};

// Row management shared by the single- and multi-column views; no tag of its own.
class SListBase : public SWindow, protected ILvDataSetObserver {
public:
    ~SListBase() override;
    bool SetAttribute(const QString& name, const QString& value) override;
    bool OnChildElement(pugi::xml_node node) override;

    int GetSel() const { return m_list->currentRow(); }
    void SetSel(int index, bool notify = false);
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    SWindow* GetItemPanel(int index) const;
    QListWidget* List() const { return m_list; }

protected:
    SListBase();
    void SetAdapterBase(std::shared_ptr<SAdapterBase> adapter);
    void onDataSetChanged() override;
    // Offers text typed on the list to its current row before the list searches with it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Places a row's parts once the adapter has filled it.
    virtual void LayoutRow(SWindow*) {}
    QWidget* m_container;
    QListWidget* m_list;
    std::vector<SWindow*> m_rows;
    int m_itemHeight = 30;

private:
    std::shared_ptr<SAdapterBase> m_adapter;
    pugi::xml_document m_template;
    bool m_silent = false;
};

class SListView : public SListBase {
    SOUI_CLASS_NAME(SListBase, "listview")
public:
    void SetAdapter(std::shared_ptr<SAdapterBase> adapter) { SetAdapterBase(std::move(adapter)); }
};

// Multi-column list: a header above the rows; each row's column windows follow the
// header's sections, and a header click lets the adapter update the sort flags.
class SMcListView : public SListBase {
    SOUI_CLASS_NAME(SListBase, "mclistview")
public:
    SMcListView();
    bool OnChildElement(pugi::xml_node node) override;
    void SetAdapter(std::shared_ptr<SMcAdapterBase> adapter);
    SHeaderCtrl* GetHeaderCtrl() const { return m_header; }
    std::vector<SHDSORTFLAG> SortFlags() const { return m_sortFlags; }
    // A click on column col of the header, as the user makes it.
    void OnHeaderClick(int col);

protected:
    void LayoutRow(SWindow* row) override;

private:
    SHeaderCtrl* m_header;
    std::shared_ptr<SMcAdapterBase> m_mcAdapter;
    std::vector<SHDSORTFLAG> m_sortFlags;
};

}  // namespace SOUI
