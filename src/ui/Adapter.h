#pragma once
// Adapters feed list views: a row count and, per row, a view built from the list's item
// template. Row windows are reused when the data changes: getView may receive a row that
// already holds the template's children.
#include <QString>
#include <algorithm>
#include <pugixml.hpp>
#include <vector>

namespace SOUI {

class SWindow;

enum SHDSORTFLAG { ST_NULL = 0, ST_UP = 1, ST_DOWN = 2 };

class ILvDataSetObserver {
public:
    virtual ~ILvDataSetObserver() = default;
    virtual void onDataSetChanged() = 0;
};

class SAdapterBase {
public:
    virtual ~SAdapterBase() = default;
    virtual int getCount() = 0;
    virtual void getView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) = 0;
    // Text typed while the row is the list's current one; true when the row took it.
    virtual bool OnTyped(int /*position*/, SWindow* /*pItem*/, const QString& /*text*/) {
        return false;
    }

    // Tells every attached view to rebuild its rows.
    void notifyDataSetChanged() {
        const auto observers = m_observers;
        for (ILvDataSetObserver* o : observers) o->onDataSetChanged();
    }
    void registerDataSetObserver(ILvDataSetObserver* o) { m_observers.push_back(o); }
    void unregisterDataSetObserver(ILvDataSetObserver* o) { std::erase(m_observers, o); }

private:
    std::vector<ILvDataSetObserver*> m_observers;
};

// Multi-column adapter: each column of a row is the row's child named by GetColumnName.
class SMcAdapterBase : public SAdapterBase {
public:
    virtual QString GetColumnName(int iCol) const = 0;
    // A header click: the adapter updates the columns' sort flags (and may reorder).
    virtual bool OnSort(int /*iCol*/, SHDSORTFLAG* /*stFlags*/, int /*nCols*/) { return false; }
};

}  // namespace SOUI
