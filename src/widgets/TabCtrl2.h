#pragma once
// "tabctrl2" with "page2" pages: tab items drawn by skins, whose page pictures play a short
// animation when the mouse enters or leaves the item.
#include "ui/TabCtrl.h"
#include "ui/Timeline.h"

namespace SOUI {

class STabPage2 : public STabPage {
    SOUI_CLASS_NAME(STabPage, "page2")
public:
    enum AnimState { None = 0, Hover = 1, Leave = 2 };

    bool SetAttribute(const QString& name, const QString& value) override;
    void StartAnimation(AnimState state);
    // One timeline frame; true when the item needs repainting.
    bool Tick(int frameMs);
    // Whether a Tick can still change the picture: a hover that reached its last "in" frame
    // holds it until the mouse leaves.
    bool IsMoving() const;
    int AnimationState() const { return m_animState; }
    int Frame() const { return m_frame; }
    int Countdown() const { return m_countdown; }
    ISkinObj* InSkin() const { return m_inSkin; }
    ISkinObj* OutSkin() const { return m_outSkin; }

    static constexpr int kFrameIntervalMs = 50;

private:
    int m_animState = None;
    int m_frame = 0;
    int m_countdown = 0;
    ISkinObj* m_inSkin = nullptr;
    ISkinObj* m_outSkin = nullptr;
};

class STabCtrl2 : public STabCtrl, public ITimelineHandler {
    SOUI_CLASS_NAME(STabCtrl, "tabctrl2")
public:
    STabCtrl2();
    ~STabCtrl2() override;
    bool SetAttribute(const QString& name, const QString& value) override;
    void OnCreated() override;
    void OnNextFrame() override;
    bool WantsFrames() const override;
    bool PaintHeader(QPainter& painter) override;
    STabPage2* GetPage2(int index) const { return static_cast<STabPage2*>(GetItem(index)); }

protected:
    bool AcceptsPage(SWindow* child) const override { return child->IsClass("page2"); }
    ISkinObj* ItemPicture(int index, int* frame) const override;

private:
    ISkinObj* m_headBgSkin = nullptr;
    bool m_onTimeline = false;
};

}  // namespace SOUI
