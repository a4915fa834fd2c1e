#pragma once
#include <functional>
#include <string>

#include "records/AppRecords.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"
#include "ui/Adapter.h"

// Rows of the macro editor's group list: one editable name per group. A click
// on a row selects the group; a double click or typing renames it.
class MacroGroupAdapter : public SOUI::SAdapterBase {
public:
    using Groups = shapes::MacroGroups;
    using OnSelect = std::function<void(int row)>;
    using OnRename = std::function<void(int row, const std::wstring& name)>;

    MacroGroupAdapter(Groups& groups, OnSelect select, OnRename rename);

    int getCount() override;
    void getView(int position, SOUI::SWindow* pItem, pugi::xml_node xmlTemplate) override;
    // Typing on the selected group starts renaming it with the typed text.
    bool OnTyped(int position, SOUI::SWindow* pItem, const QString& text) override;

private:
    void Subscribe(SOUI::SWindow* row);
    const MacroRecordGroup* GroupAt(int row);

    Groups& groups_;
    OnSelect select_;
    OnRename rename_;
    bool filling_ = false;
};
