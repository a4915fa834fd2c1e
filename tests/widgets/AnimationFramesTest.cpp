// The application's timeline runs only while an animation moves a picture.
#include "WidgetTestSupport.h"
#include "ui/Application.h"

using namespace SOUI;

namespace {

class AnimationFrames : public widgettest::WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        AddSkin("in3", 3);
        AddSkin("out2", 2);
        AddSkin("pin", 3);
        AddSkin("pout", 2);
    }
    bool Ticking() const { return app->GetTimeline().IsTicking(); }
    // Frames as the timeline's timer would give them.
    void Frames(int n) {
        for (int i = 0; i < n; ++i) app->GetTimeline().Tick();
    }
};

TEST_F(AnimationFrames, AnimImgWantsFramesOnlyWhileSomethingMoves) {
    const struct {
        const char* xml;
        bool hover;
        int ticks;  // after the hover
        bool leave;
        int ticksAfterLeave;
        bool wantsFrames;
    } cases[] = {
        {"<anmimg ani_in='in3' ani_out='out2'/>", false, 0, false, 0, false},
        {"<anmimg ani_in='in3' ani_out='out2'/>", true, 0, false, 0, true},
        {"<anmimg ani_in='in3' ani_out='out2'/>", true, 15, false, 0, false},  // holds its last
        {"<anmimg ani_in='in3' ani_out='out2'/>", true, 15, true, 0, true},    // then plays out
        {"<anmimg ani_in='in3' ani_out='out2'/>", true, 15, true, 15, false},  // and rests
        {"<anmimg ani_in='in3'/>", true, 15, true, 0, false},    // no "out": holds for good
        {"<anmimg ani_out='out2'/>", true, 0, false, 0, false},  // nothing to play
        {"<anmimg ani_in='in3' autorun='2'/>", false, 0, false, 0, true},  // its pause runs
    };
    for (const auto& c : cases) {
        auto* a = Create<SAnimImg>(c.xml);
        ASSERT_NE(a, nullptr) << c.xml;
        if (c.hover) a->OnMouseHover();
        for (int i = 0; i < c.ticks; ++i) a->OnNextFrame();
        if (c.leave) a->OnMouseLeave();
        for (int i = 0; i < c.ticksAfterLeave; ++i) a->OnNextFrame();
        EXPECT_EQ(a->WantsFrames(), c.wantsFrames)
            << c.xml << " hover " << c.hover << " ticks " << c.ticks << " leave " << c.leave
            << " then " << c.ticksAfterLeave;
        delete a;
    }
}

TEST_F(AnimationFrames, HoveredAnimImgWakesTheTimelineWhichSleepsOnceItHolds) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' ani_out='out2'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(Ticking());
    a->OnMouseHover();
    EXPECT_TRUE(Ticking());
    Frames(15);
    EXPECT_EQ(a->GetFrame(), 2);
    EXPECT_FALSE(Ticking());
    a->OnMouseLeave();
    EXPECT_TRUE(Ticking());
    Frames(15);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    EXPECT_FALSE(Ticking());
}

TEST_F(AnimationFrames, TabCtrl2TicksWhileAnItemPlaysAndSleepsWhileOneHolds) {
    auto* t = Create<STabCtrl2>(
        "<tabctrl2 pos='0,0' size='300,100'>"
        "<page2 title='Animated' ani_in='pin' ani_out='pout'/>"
        "<page2 title='Plain'/>"
        "</tabctrl2>");
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(Ticking());
    t->HoverTo(0);
    EXPECT_TRUE(Ticking());
    Frames(10);  // two steps reach the last "in" frame
    EXPECT_EQ(t->GetPage2(0)->Frame(), 2);
    EXPECT_FALSE(t->GetPage2(0)->IsMoving());
    EXPECT_FALSE(Ticking());
    t->HoverTo(1);
    EXPECT_TRUE(Ticking());
    Frames(5);  // the leave and the plain item's hover end after one step
    EXPECT_EQ(t->GetPage2(0)->AnimationState(), STabPage2::None);
    EXPECT_EQ(t->GetPage2(1)->AnimationState(), STabPage2::None);
    EXPECT_FALSE(Ticking());
}

}  // namespace
