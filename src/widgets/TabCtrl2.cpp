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

bool STabPage2::IsMoving() const {
    if (m_animState == Hover && m_inSkin) return m_frame < m_inSkin->GetStates() - 1;
    return m_animState != None;
}

STabCtrl2::STabCtrl2() {
    // The control follows its own hover events.
    Subscribe<EventTabItemHover>([this](EventTabItemHover* e) {
        if (STabPage2* page = GetPage2(e->iHover)) page->StartAnimation(STabPage2::Hover);
        TabBar()->update();
        WakeTimeline();
        return false;
    });
    Subscribe<EventTabItemLeave>([this](EventTabItemLeave* e) {
        if (STabPage2* page = GetPage2(e->iLeave)) page->StartAnimation(STabPage2::Leave);
        TabBar()->update();
        WakeTimeline();
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

bool STabCtrl2::WantsFrames() const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetPage2(i)->IsMoving()) return true;
    return false;
}

bool STabCtrl2::PaintHeader(QPainter& painter) {
    if (!m_headBgSkin && !HasSkinnedItems()) return false;
    if (m_headBgSkin) m_headBgSkin->Draw(painter, TabBar()->rect(), 0);
    DrawItems(painter);
    return true;
}

ISkinObj* STabCtrl2::ItemPicture(int index, int* frame) const {
    const STabPage2* page = GetPage2(index);
    if (page->AnimationState() == STabPage2::Hover && page->InSkin()) {
        *frame = page->Frame();
        return page->InSkin();
    }
    if (page->AnimationState() == STabPage2::Leave && page->OutSkin()) {
        *frame = page->Frame();
        return page->OutSkin();
    }
    return STabCtrl::ItemPicture(index, frame);
}

}  // namespace SOUI
