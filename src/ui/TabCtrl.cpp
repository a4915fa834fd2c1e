#include "ui/TabCtrl.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/Application.h"
#include "ui/Skin.h"

namespace SOUI {
namespace {

// The tab header: Qt's tab bar, whose painting and hover the control may take over.
class TabHeader : public QTabBar {
public:
    explicit TabHeader(STabCtrl* owner) : m_owner(owner) { setMouseTracking(true); }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter painter(this);
        if (!m_owner->PaintHeader(painter)) {
            painter.end();
            QTabBar::paintEvent(e);
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        m_owner->HoverTo(tabAt(e->position().toPoint()));
        QTabBar::mouseMoveEvent(e);
    }
    void leaveEvent(QEvent* e) override {
        m_owner->HoverTo(-1);
        QTabBar::leaveEvent(e);
    }

private:
    STabCtrl* m_owner;
};

bool ParsePoint(const QString& v, int* out) {
    return ParseInt(v, out);
}

}  // namespace

bool STabPage::SetAttribute(const QString& name, const QString& value) {
    if (name == "title") {
        SApplication* app = SApplication::getSingletonPtr();
        m_title = app ? app->Tr(value) : value;
        return true;
    }
    if (name == "iconindex") {
        ParseInt(value, &m_iconIndex);
        return true;
    }
    return SWindow::SetAttribute(name, value);
}

STabCtrl::STabCtrl() : m_bar(new TabHeader(this)), m_stack(new QStackedWidget) {
    auto* container = new QWidget;
    auto* box = new QVBoxLayout(container);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_bar);
    box->addWidget(m_stack, 1);
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    SetControl(container);
    QObject::connect(m_bar, &QTabBar::currentChanged, [this](int index) {
        if (m_changing) return;
        // A click on the Qt tab bar takes the same path as SetCurSel.
        const int old = m_stack->currentIndex();
        m_changing = true;
        m_bar->setCurrentIndex(old);
        m_changing = false;
        SetCurSel(index);
    });
}

STabCtrl::~STabCtrl() = default;

bool STabCtrl::SetAttribute(const QString& name, const QString& value) {
    if (name == "cursel")
        ParseInt(value, &m_initialSel);
    else if (name == "tabskin")
        m_tabSkin = FindSkin(value);
    else if (name == "iconskin")
        m_iconSkin = FindSkin(value);
    else if (name == "tabinterskin")
        m_interSkin = FindSkin(value);
    else if (name == "frameskin")
        m_frameSkin = FindSkin(value);
    else if (name == "icon-x")
        ParsePoint(value, &m_iconOffset.rx());
    else if (name == "icon-y")
        ParsePoint(value, &m_iconOffset.ry());
    else if (name == "text-x")
        ParsePoint(value, &m_textOffset.rx());
    else if (name == "text-y")
        ParsePoint(value, &m_textOffset.ry());
    else
        return SWindow::SetAttribute(name, value);
    return true;
}

void STabCtrl::InsertChild(SWindow* child) {
    if (!AcceptsPage(child)) {
        // Not a page: it stays in the tree but takes no place in the control.
        SWindow::InsertChild(child);
        child->SetVisible(false);
        return;
    }
    AdoptChild(child);
    auto* page = static_cast<STabPage*>(child);
    m_pages.push_back(page);
    m_stack->addWidget(page);
    m_changing = true;
    m_bar->addTab(page->GetTitle());
    m_changing = false;
}

void STabCtrl::OnChildrenCreated() {
    if (m_initialSel >= 0 && m_initialSel < GetItemCount()) {
        m_changing = true;
        m_bar->setCurrentIndex(m_initialSel);
        m_stack->setCurrentIndex(m_initialSel);
        m_changing = false;
    }
}

bool STabCtrl::SetCurSel(int index) {
    const int old = m_stack->currentIndex();
    if (index < 0 || index >= GetItemCount() || index == old) return false;
    EventTabSelChanging changing(this);
    changing.uOldSel = old;
    changing.uNewSel = index;
    FireEvent(changing);
    if (changing.bCancel) return false;
    m_changing = true;
    m_bar->setCurrentIndex(index);
    m_stack->setCurrentIndex(index);
    m_changing = false;
    EventTabSelChanged changed(this);
    changed.uOldSel = old;
    changed.uNewSel = index;
    FireEvent(changed);
    return true;
}

STabPage* STabCtrl::GetItem(int index) const {
    return index >= 0 && index < GetItemCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

bool STabCtrl::PaintHeader(QPainter&) {
    return false;
}

void STabCtrl::HoverTo(int index) {
    if (index == m_hover) return;
    const int old = m_hover;
    m_hover = index;
    if (old >= 0) OnItemLeave(old);
    if (index >= 0) OnItemHover(index);
}

void STabCtrl::OnItemHover(int index) {
    EventTabItemHover e(this);
    e.iHover = index;
    FireEvent(e);
}

void STabCtrl::OnItemLeave(int index) {
    EventTabItemLeave e(this);
    e.iLeave = index;
    FireEvent(e);
}

}  // namespace SOUI
