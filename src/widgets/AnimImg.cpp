#include "widgets/AnimImg.h"

#include "ui/Application.h"
#include "ui/Skin.h"

namespace SOUI {
SAnimImg::~SAnimImg() {
    SApplication* app = SApplication::getSingletonPtr();
    if (m_onTimeline && app) app->GetTimeline().UnregisterHandler(this);
}

bool SAnimImg::SetAttribute(const QString& name, const QString& value) {
    if (name == "interval")
        ParseInt(value, &m_interval);
    else if (name == "autorun")
        ParseInt(value, &m_autorun);
    else if (name == "ani_in")
        m_inSkin = FindSkin(value);
    else if (name == "ani_out")
        m_outSkin = FindSkin(value);
    else
        return SWindow::SetAttribute(name, value);
    return true;
}

void SAnimImg::OnCreated() {
    if (SApplication* app = SApplication::getSingletonPtr()) {
        app->GetTimeline().RegisterHandler(this);
        m_onTimeline = true;
    }
    if (RunsByItself()) {
        m_pauseLength = m_autorun * 1000;
        m_pausePending = true;
    }
}

QSize SAnimImg::GetDesiredSize() const {
    return m_inSkin ? m_inSkin->GetSkinSize() : QSize(0, 0);
}

void SAnimImg::OnMouseHover() {
    ++m_hoverCount;
    m_state = PlayingIn;
    m_frame = 0;
    m_frameClock = 0;
    m_pauseClock = 0;
    update();
    WakeTimeline();
}

void SAnimImg::OnMouseLeave() {
    --m_hoverCount;
    WakeTimeline();  // a held "in" picture now plays "out"
}

// A frame moves something while a pause runs or a picture plays. A picture on its last "in"
// frame holds it while hovered (or for good without an "out" skin), and one without the skin
// it plays never moves.
bool SAnimImg::WantsFrames() const {
    if (m_pausePending) return true;
    if (m_state == PlayingOut) return m_outSkin != nullptr;
    if (m_state != PlayingIn || !m_inSkin) return false;
    const bool onLastFrame = m_frame >= m_inSkin->GetStates() - 1;
    return RunsByItself() || !onLastFrame || (m_hoverCount <= 0 && m_outSkin);
}

void SAnimImg::OnNextFrame() {
    // The pause is checked first, so a run that ends in this frame restarts in the next.
    if (m_pausePending) {
        m_pauseClock += STimeline::kFrameMs;
        if (m_pauseClock >= m_pauseLength) {
            m_pauseClock = 0;
            m_frame = 0;
            m_pausePending = false;
            m_state = PlayingIn;
            update();
            return;
        }
    }
    if (m_state != Still) {
        m_frameClock += STimeline::kFrameMs;
        if (m_frameClock >= m_interval) {
            StepFrame();
            m_frameClock = 0;
        }
    }
}

void SAnimImg::StepFrame() {
    if (m_state == PlayingIn) {
        if (!m_inSkin) return;
        ++m_frame;
        if (m_frame >= m_inSkin->GetStates()) {
            if (!RunsByItself()) {
                m_frame = m_inSkin->GetStates() - 1;
                if (m_hoverCount <= 0 && m_outSkin) {
                    m_state = PlayingOut;
                    m_frame = 0;
                }
            } else {
                if (m_autorun == 0) m_frame = 0;
                m_state = Still;
                m_pausePending = true;
            }
        }
    } else if (m_state == PlayingOut) {
        if (!m_outSkin) return;
        if (m_frame >= m_outSkin->GetStates() - 1)
            m_state = Still;
        else
            ++m_frame;
    }
    update();
}

std::pair<ISkinObj*, int> SAnimImg::ShownFrame() const {
    if (m_state == PlayingIn && m_inSkin) return {m_inSkin, m_frame};
    if (m_state == PlayingOut && m_outSkin) return {m_outSkin, m_frame};
    return {m_inSkin, 0};
}

void SAnimImg::OnPaint(QPainter& painter) {
    if (GetBkgndColor() != 0) SWindow::OnPaint(painter);
    const auto [skin, frame] = ShownFrame();
    if (skin) skin->Draw(painter, rect(), frame);
}

void SAnimImg::enterEvent(QEnterEvent* event) {
    OnMouseHover();
    SWindow::enterEvent(event);
}

void SAnimImg::leaveEvent(QEvent* event) {
    OnMouseLeave();
    SWindow::leaveEvent(event);
}

}  // namespace SOUI
