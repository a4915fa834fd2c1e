#include "widgets/TabCtrl2.h"

#include "ui/Application.h"
#include "ui/Skin.h"

namespace SOUI {
bool STabPage2::SetAttribute(const QString& name, const QString& value) {
    if (name == "ani_in")
        m_inSkin = FindSkin(value);
    else if (name == "ani_out")
        m_outSkin = FindSkin(value);
    else
        return STabPage::SetAttribute(name, value);
    return true;
}

void STabPage2::StartAnimation(AnimState state) {
    m_animState = state;
    m_frame = 0;
    m_countdown = kFrameIntervalMs;
}

bool STabPage2::Tick(int frameMs) {
    if (m_animState == None) return false;
    m_countdown -= frameMs;
    if (m_countdown >= 1) return false;
    ++m_frame;
    if (m_animState == Hover) {
        if (m_inSkin)
            m_frame = std::min(m_frame, m_inSkin->GetStates() - 1);
        else
            m_animState = None;
    } else if (!m_outSkin || m_frame >= m_outSkin->GetStates() - 1) {
        m_animState = None;
    }
    m_countdown = kFrameIntervalMs;
    return true;
}

STabCtrl2::STabCtrl2() {
    // The control follows its own hover events.
    Subscribe<EventTabItemHover>([this](EventTabItemHover* e) {
        if (STabPage2* page = GetPage2(e->iHover)) page->StartAnimation(STabPage2::Hover);
        TabBar()->update();
        return false;
    });
    Subscribe<EventTabItemLeave>([this](EventTabItemLeave* e) {
        if (STabPage2* page = GetPage2(e->iLeave)) page->StartAnimation(STabPage2::Leave);
        TabBar()->update();
        return false;
    });
}

STabCtrl2::~STabCtrl2() {
    SApplication* app = SApplication::getSingletonPtr();
    if (m_onTimeline && app) app->GetTimeline().UnregisterHandler(this);
}

bool STabCtrl2::SetAttribute(const QString& name, const QString& value) {
    if (name == "tabheadbgskin") {
        m_headBgSkin = FindSkin(value);
        return true;
    }
    return STabCtrl::SetAttribute(name, value);
}

void STabCtrl2::OnCreated() {
    if (SApplication* app = SApplication::getSingletonPtr()) {
        app->GetTimeline().RegisterHandler(this);
        m_onTimeline = true;
    }
}

void STabCtrl2::OnNextFrame() {
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetPage2(i)->Tick(STimeline::kFrameMs)) TabBar()->update(TabBar()->tabRect(i));
}

int STabCtrl2::ItemState(int index) const {
    if (index == GetCurSel()) return 2;
    return index == HoverItem() ? 1 : 0;
}

bool STabCtrl2::SeparatorBefore(int index) const {
    const int sel = GetCurSel();
    return index > 0 && index != sel && index - 1 != sel;
}

bool STabCtrl2::PaintHeader(QPainter& painter) {
    if (!m_headBgSkin && !m_tabSkin && !m_iconSkin) return false;
    if (m_headBgSkin) m_headBgSkin->Draw(painter, TabBar()->rect(), 0);
    for (int i = 0; i < GetItemCount(); ++i) {
        if (m_interSkin && SeparatorBefore(i)) {
            const QRect item = TabBar()->tabRect(i);
            const QSize size = m_interSkin->GetSkinSize();
            m_interSkin->Draw(
                painter,
                QRect(item.left() - size.width() / 2, item.top(), size.width(), item.height()), 0);
        }
        DrawItem(painter, i);
    }
    return true;
}

void STabCtrl2::DrawItem(QPainter& painter, int index) {
    const QRect item = TabBar()->tabRect(index);
    STabPage2* page = GetPage2(index);
    if (m_tabSkin) m_tabSkin->Draw(painter, item, ItemState(index));
    ISkinObj* picture = m_iconSkin;
    int frame = page->GetIconIndex() >= 0 ? page->GetIconIndex() : index;
    if (page->AnimationState() == STabPage2::Hover && page->InSkin()) {
        picture = page->InSkin();
        frame = page->Frame();
    } else if (page->AnimationState() == STabPage2::Leave && page->OutSkin()) {
        picture = page->OutSkin();
        frame = page->Frame();
    }
    if (picture)
        picture->Draw(painter, QRect(item.topLeft() + m_iconOffset, picture->GetSkinSize()), frame);
    if (m_textOffset.x() >= 0 || m_textOffset.y() >= 0) {
        const QPoint at =
            item.topLeft() + QPoint(qMax(0, m_textOffset.x()), qMax(0, m_textOffset.y()));
        painter.drawText(QRect(at, item.bottomRight()), Qt::AlignLeft | Qt::AlignTop,
                         page->GetTitle());
    } else {
        painter.drawText(item, Qt::AlignCenter, page->GetTitle());
    }
}

void STabCtrl2::OnPaint(QPainter& painter) {
    STabCtrl::OnPaint(painter);
    if (m_frameSkin) m_frameSkin->Draw(painter, rect(), 0);
}

}  // namespace SOUI
