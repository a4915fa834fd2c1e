#pragma once
// Tab control: a Qt tab bar over a stack of pages. Only page children become pages.
#include <QStackedWidget>
#include <QTabBar>

#include "ui/SWindow.h"

namespace SOUI {

class ISkinObj;

class STabPage : public SWindow {
    SOUI_CLASS_NAME(SWindow, "page")
public:
    bool SetAttribute(const QString& name, const QString& value) override;
    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    int GetIconIndex() const { return m_iconIndex; }

private:
    QString m_title;
    int m_iconIndex = -1;
};

class STabCtrl : public SWindow {
    SOUI_CLASS_NAME(SWindow, "tabctrl")
public:
    STabCtrl();
    ~STabCtrl() override;
    bool SetAttribute(const QString& name, const QString& value) override;
    void InsertChild(SWindow* child) override;
    void OnChildrenCreated() override;

    int GetCurSel() const { return m_bar->currentIndex(); }
    // Fires EventTabSelChanging (which may cancel) and EventTabSelChanged.
    bool SetCurSel(int index);
    int GetItemCount() const { return static_cast<int>(m_pages.size()); }
    STabPage* GetItem(int index) const;
    int HoverItem() const { return m_hover; }
    QTabBar* TabBar() const { return m_bar; }

    // Paints the header; false leaves it to Qt. With a tab or icon skin the control draws
    // the items itself.
    virtual bool PaintHeader(QPainter& painter);
    // Size of an item: the tab skin's size, or invalid to let Qt measure the title.
    virtual QSize ItemSize(int index) const;
    // Item state for drawing: 2 selected, 1 hovered, 0 otherwise.
    int ItemState(int index) const;
    // Whether the separator skin is drawn before item index.
    bool SeparatorBefore(int index) const;
    // The mouse entered or left a tab item.
    virtual void OnItemHover(int index);
    virtual void OnItemLeave(int index);
    void HoverTo(int index);

protected:
    // Which children become pages.
    virtual bool AcceptsPage(SWindow* child) const { return child->IsClass("page"); }
    // The picture drawn on an item and its frame; derived controls animate it.
    virtual ISkinObj* ItemPicture(int index, int* frame) const;
    bool HasSkinnedItems() const { return m_tabSkin || m_iconSkin; }
    // Separators, item faces, pictures and titles of every item.
    void DrawItems(QPainter& painter);
    void OnPaint(QPainter& painter) override;

    ISkinObj* m_tabSkin = nullptr;
    ISkinObj* m_iconSkin = nullptr;
    ISkinObj* m_interSkin = nullptr;
    ISkinObj* m_frameSkin = nullptr;
    // A negative coordinate centres the picture or title on that axis.
    QPoint m_iconOffset{0, -1};
    QPoint m_textOffset{-1, -1};

private:
    QTabBar* m_bar;
    QStackedWidget* m_stack;
    std::vector<STabPage*> m_pages;
    int m_hover = -1;
    int m_initialSel = 0;
    bool m_changing = false;
};

}  // namespace SOUI
