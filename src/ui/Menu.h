#pragma once
// Popup menus from menu resources. A classic menu has the root "menu" with "item" and
// "sep" children; an extended menu has the root "menuRoot" (or "menuItem") with
// "menuItem" and "sep" children. Items nest for submenus and carry "id" and "text".
// The chosen item reaches the owner window as WM_COMMAND with the item's id.
#include <QMenu>
#include <QString>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "ui/WinDefs.h"

namespace SOUI {

enum class MenuKind { Classic = 0, Extended = 1, None = 2 };

// The kind of a menu resource, decided by its XML root.
MenuKind MenuKindOf(const QString& resName);

class SMenuBase {
public:
    virtual ~SMenuBase();
    bool LoadMenu(const QString& resName);
    // Shows the menu at a screen point; the chosen command (0 when dismissed) is returned
    // and posted to owner as WM_COMMAND.
    int TrackPopupMenu(UINT flags, int x, int y, HWND owner);
    std::vector<int> CommandIds() const;
    QString ItemText(int id) const;
    QMenu* GetQMenu() const { return m_menu.get(); }

    // Tests pick a command instead of a user: the answerer gets the menu's command ids and
    // returns the one to choose, or 0 to dismiss. An empty answerer uninstalls.
    using Answerer = std::function<int(const std::vector<int>& ids)>;
    static void SetMenuAnswerer(Answerer answerer);

protected:
    SMenuBase(const char* itemTag, std::vector<const char*> rootTags);

private:
    void Build(QMenu* menu, pugi::xml_node node);
    QAction* FindAction(int id) const;

    const char* m_itemTag;
    std::vector<const char*> m_rootTags;
    std::unique_ptr<QMenu> m_menu;
    int m_chosen = 0;
};

class SMenu : public SMenuBase {
public:
    SMenu() : SMenuBase("item", {"menu"}) {}
};

class SMenuEx : public SMenuBase {
public:
    SMenuEx() : SMenuBase("menuItem", {"menuRoot", "menuItem"}) {}
};

}  // namespace SOUI
