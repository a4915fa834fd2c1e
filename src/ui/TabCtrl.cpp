#include "ui/TabCtrl.h"

#include <QMouseEvent>
#include <QPen>
#include <QStyle>

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
    QSize tabSizeHint(int index) const override {
        const QSize size = m_owner->ItemSize(index);
        return size.isValid() ? size : QTabBar::tabSizeHint(index);
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    STabCtrl* m_owner;
};

// Holds the header above the pages. The header's height is measured each time the body is
// arranged: a Qt tab bar filled while hidden never tells a layout its new size, which left
// the header zero pixels high.
class TabBody : public QWidget {
public:
    TabBody(QTabBar* bar, QStackedWidget* stack) : m_bar(bar), m_stack(stack) {
        bar->setParent(this);
        stack->setParent(this);
    }
    void Arrange() {
        const int head = qMin(height(), m_bar->sizeHint().height());
        m_bar->setGeometry(0, 0, width(), head);
        m_stack->setGeometry(0, head, width(), height() - head);
    }
    QSize sizeHint() const override {
        const QSize bar = m_bar->sizeHint();
        const QSize pages = m_stack->sizeHint().expandedTo(QSize(0, 0));
        return {qMax(bar.width(), pages.width()), bar.height() + pages.height()};
    }

protected:
    bool event(QEvent* e) override {
        const bool done = QWidget::event(e);
        if (e->type() == QEvent::Resize || e->type() == QEvent::Show ||
            e->type() == QEvent::LayoutRequest)
            Arrange();
        return done;
    }

private:
    QTabBar* m_bar;
    QStackedWidget* m_stack;
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
    auto* container = new TabBody(m_bar, m_stack);
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
    static_cast<TabBody*>(Control())->Arrange();
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

bool STabCtrl::PaintHeader(QPainter& painter) {
    if (!HasSkinnedItems()) return false;
    DrawItems(painter);
    return true;
}

QSize STabCtrl::ItemSize(int) const {
    return m_tabSkin ? m_tabSkin->GetSkinSize() : QSize();
}

int STabCtrl::ItemState(int index) const {
    if (index == GetCurSel()) return 2;
    return index == HoverItem() ? 1 : 0;
}

bool STabCtrl::SeparatorBefore(int index) const {
    const int sel = GetCurSel();
    return index > 0 && index != sel && index - 1 != sel;
}

ISkinObj* STabCtrl::ItemPicture(int index, int* frame) const {
    const int icon = m_pages[static_cast<size_t>(index)]->GetIconIndex();
    *frame = icon >= 0 ? icon : index;
    return m_iconSkin;
}

void STabCtrl::DrawItems(QPainter& painter) {
    for (int i = 0; i < GetItemCount(); ++i) {
        const QRect item = m_bar->tabRect(i);
        if (m_interSkin && SeparatorBefore(i)) {
            const QSize size = m_interSkin->GetSkinSize();
            m_interSkin->Draw(
                painter,
                QRect(item.left() - size.width() / 2, item.top(), size.width(), item.height()), 0);
        }
        if (m_tabSkin) m_tabSkin->Draw(painter, item, ItemState(i));
        int frame = 0;
        if (ISkinObj* picture = ItemPicture(i, &frame)) {
            const QSize size = picture->GetSkinSize();
            const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, item);
            const QPoint at(m_iconOffset.x() >= 0 ? item.left() + m_iconOffset.x() : centred.left(),
                            m_iconOffset.y() >= 0 ? item.top() + m_iconOffset.y() : centred.top());
            picture->Draw(painter, QRect(at, size), frame);
        }
        const QString title = m_pages[static_cast<size_t>(i)]->GetTitle();
        if (m_textOffset.x() >= 0 || m_textOffset.y() >= 0) {
            // An offset on one axis only centres the title on the other.
            QRect text = item;
            Qt::Alignment align;
            if (m_textOffset.x() >= 0) {
                text.setLeft(item.left() + m_textOffset.x());
                align |= Qt::AlignLeft;
            } else {
                align |= Qt::AlignHCenter;
            }
            if (m_textOffset.y() >= 0) {
                text.setTop(item.top() + m_textOffset.y());
                align |= Qt::AlignTop;
            } else {
                align |= Qt::AlignVCenter;
            }
            painter.drawText(text, align, title);
        } else {
            painter.drawText(item, Qt::AlignCenter, title);
        }
        // Where the keyboard is: arrows move between the tabs from here.
        if (m_bar->hasFocus() && i == m_bar->currentIndex()) {
            painter.save();
            painter.setPen(QPen(m_bar->palette().color(QPalette::Highlight), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.adjusted(1, 1, -1, -1));
            painter.restore();
        }
    }
}

void STabCtrl::OnPaint(QPainter& painter) {
    SWindow::OnPaint(painter);
    if (m_frameSkin) m_frameSkin->Draw(painter, rect(), 0);
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
