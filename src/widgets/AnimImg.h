#pragma once
// "anmimg": an image that plays the frames of its "ani_in" skin when hovered and of its
// "ani_out" skin after the mouse has left, or repeats "in" by itself with "autorun".
#include "ui/SWindow.h"
#include "ui/Timeline.h"

namespace SOUI {

class SAnimImg : public SWindow, public ITimelineHandler {
    SOUI_CLASS_NAME(SWindow, "anmimg")
public:
    enum State { Still = 0, PlayingIn = 1, PlayingOut = 2 };

    SAnimImg() = default;
    ~SAnimImg() override;
    bool SetAttribute(const QString& name, const QString& value) override;
    void OnCreated() override;
    QSize GetDesiredSize() const override;

    // One 10 ms timeline frame.
    void OnNextFrame() override;
    bool WantsFrames() const override;
    void OnMouseHover();
    void OnMouseLeave();

    int GetAnimState() const { return m_state; }
    int GetFrame() const { return m_frame; }
    int GetHoverCount() const { return m_hoverCount; }
    bool IsPausePending() const { return m_pausePending; }
    int PauseLength() const { return m_pauseLength; }
    // The skin and frame that painting shows now; null skin draws nothing.
    std::pair<ISkinObj*, int> ShownFrame() const;

protected:
    void OnPaint(QPainter& painter) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void StepFrame();
    bool RunsByItself() const { return m_autorun >= 0; }

    int m_interval = 50;
    int m_autorun = -1;
    int m_pauseLength = 0;
    bool m_pausePending = false;
    int m_hoverCount = 0;
    int m_state = Still;
    int m_frame = 0;
    int m_frameClock = 0;
    int m_pauseClock = 0;
    ISkinObj* m_inSkin = nullptr;
    ISkinObj* m_outSkin = nullptr;
    bool m_onTimeline = false;
};

}  // namespace SOUI
