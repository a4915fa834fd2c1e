// Frame animations of "anmimg" and "tabctrl2", driven tick by tick.
#include "WidgetTestSupport.h"

using namespace SOUI;

namespace {

class AnimImg : public widgettest::WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        AddSkin("in3", 3, 8, 6);
        AddSkin("out2", 2, 8, 6);
    }
    static void Ticks(SAnimImg* a, int n) {
        for (int i = 0; i < n; ++i) a->OnNextFrame();
    }
};

TEST_F(AnimImg, HoverPlaysInOnceThenOutAfterLeaving) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' ani_out='out2'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(app->GetTimeline().IsRegistered(a));
    EXPECT_EQ(a->GetDesiredSize(), QSize(8, 6));
    EXPECT_FALSE(a->IsPausePending());
    Ticks(a, 20);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    a->OnMouseHover();
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    Ticks(a, 4);
    EXPECT_EQ(a->GetFrame(), 0);
    Ticks(a, 1);  // 50 ms: one frame
    EXPECT_EQ(a->GetFrame(), 1);
    Ticks(a, 10);
    EXPECT_EQ(a->GetFrame(), 2);
    // Still hovered: the last frame holds.
    Ticks(a, 20);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    EXPECT_EQ(a->GetFrame(), 2);
    a->OnMouseLeave();
    Ticks(a, 5);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingOut);
    EXPECT_EQ(a->GetFrame(), 0);
    EXPECT_EQ(a->ShownFrame().first, app->Skins().Get("out2"));
    Ticks(a, 5);
    EXPECT_EQ(a->GetFrame(), 1);
    Ticks(a, 5);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    EXPECT_EQ(a->ShownFrame(), std::make_pair(app->Skins().Get("in3"), 0));
}

TEST_F(AnimImg, IntervalSetsTheFramePace) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' interval='0x14'/>");
    ASSERT_NE(a, nullptr);
    a->OnMouseHover();
    Ticks(a, 2);
    EXPECT_EQ(a->GetFrame(), 1);
}

TEST_F(AnimImg, WithoutInSkinItDrawsNothingAndNeverAnimates) {
    auto* a = Create<SAnimImg>("<anmimg ani_out='out2'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetDesiredSize(), QSize(0, 0));
    a->OnMouseHover();
    a->OnMouseLeave();
    Ticks(a, 100);
    EXPECT_EQ(a->GetFrame(), 0);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    EXPECT_EQ(a->ShownFrame().first, nullptr);
}

TEST_F(AnimImg, AutorunZeroRestartsOneTickAfterEachRun) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' autorun='0'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->IsPausePending());
    EXPECT_EQ(a->PauseLength(), 0);
    Ticks(a, 1);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    Ticks(a, 15);  // three frame steps end the run
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    EXPECT_EQ(a->GetFrame(), 0);
    EXPECT_TRUE(a->IsPausePending());
    Ticks(a, 1);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    EXPECT_EQ(a->GetFrame(), 0);
}

TEST_F(AnimImg, AutorunPausesTheGivenSecondsBetweenRuns) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' autorun='2'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->PauseLength(), 2000);
    Ticks(a, 199);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    EXPECT_EQ(a->ShownFrame().second, 0);
    Ticks(a, 1);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    Ticks(a, 15);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    Ticks(a, 199);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    Ticks(a, 1);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
}

TEST_F(AnimImg, AnyNegativeAutorunNeverStartsByItself) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' autorun='-5'/>");
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->IsPausePending());
    Ticks(a, 300);
    EXPECT_EQ(a->GetAnimState(), SAnimImg::Still);
    a->OnMouseHover();
    Ticks(a, 50);
    // Played once and holding its last frame, as with -1.
    EXPECT_EQ(a->GetAnimState(), SAnimImg::PlayingIn);
    EXPECT_EQ(a->GetFrame(), 2);
    EXPECT_FALSE(a->IsPausePending());
}

TEST_F(AnimImg, HoverRestartsFromAnyState) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3' ani_out='out2'/>");
    ASSERT_NE(a, nullptr);
    a->OnMouseHover();
    Ticks(a, 7);
    a->OnMouseHover();
    EXPECT_EQ(a->GetFrame(), 0);
    EXPECT_EQ(a->GetHoverCount(), 2);
    Ticks(a, 4);
    EXPECT_EQ(a->GetFrame(), 0);  // the frame clock started again too
}

TEST_F(AnimImg, LeavesTheTimelineWhenDestroyed) {
    auto* a = Create<SAnimImg>("<anmimg ani_in='in3'/>");
    ASSERT_NE(a, nullptr);
    ITimelineHandler* handler = a;
    delete a;
    EXPECT_FALSE(app->GetTimeline().IsRegistered(handler));
}

class TabCtrl2 : public widgettest::WidgetTest {
protected:
    STabCtrl2* MakeTabs() {
        AddSkin("pin", 3);
        AddSkin("pout", 2);
        return Create<STabCtrl2>(
            "<tabctrl2 pos='0,0' size='300,100'>"
            "<page2 title='Plain'/>"
            "<page title='Ignored'/>"
            "<page2 title='Animated' ani_in='pin' ani_out='pout'/>"
            "<page2 title='Third'/>"
            "</tabctrl2>");
    }
    static void Ticks(STabCtrl2* t, int n) {
        for (int i = 0; i < n; ++i) t->OnNextFrame();
    }
};

TEST_F(TabCtrl2, OnlyPage2ChildrenBecomePages) {
    STabCtrl2* t = MakeTabs();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetItemCount(), 3);
    EXPECT_EQ(t->GetPage2(1)->GetTitle(), "Animated");
    EXPECT_TRUE(app->GetTimeline().IsRegistered(t));
}

TEST_F(TabCtrl2, PageWithoutSkinsEndsItsHoverAfterOneStep) {
    STabCtrl2* t = MakeTabs();
    t->HoverTo(0);
    STabPage2* p = t->GetPage2(0);
    EXPECT_EQ(p->AnimationState(), STabPage2::Hover);
    EXPECT_EQ(p->Countdown(), 50);
    Ticks(t, 4);
    EXPECT_EQ(p->AnimationState(), STabPage2::Hover);
    Ticks(t, 1);
    EXPECT_EQ(p->AnimationState(), STabPage2::None);
    EXPECT_EQ(p->Frame(), 1);
}

TEST_F(TabCtrl2, HoverHoldsTheLastInFrameAndLeavePlaysOutOnce) {
    STabCtrl2* t = MakeTabs();
    STabPage2* p = t->GetPage2(1);
    t->HoverTo(1);
    Ticks(t, 5);
    EXPECT_EQ(p->Frame(), 1);
    Ticks(t, 20);
    EXPECT_EQ(p->Frame(), 2);
    EXPECT_EQ(p->AnimationState(), STabPage2::Hover);
    // Moving to the next item: this one plays its leave animation from frame 0.
    t->HoverTo(2);
    EXPECT_EQ(p->AnimationState(), STabPage2::Leave);
    EXPECT_EQ(p->Frame(), 0);
    EXPECT_EQ(t->GetPage2(2)->AnimationState(), STabPage2::Hover);
    Ticks(t, 5);
    EXPECT_EQ(p->AnimationState(), STabPage2::None);
}

TEST_F(TabCtrl2, ItemStatesAndSeparators) {
    STabCtrl2* t = MakeTabs();
    t->SetCurSel(1);
    t->HoverTo(2);
    EXPECT_EQ(t->ItemState(1), 2);
    EXPECT_EQ(t->ItemState(2), 1);
    EXPECT_EQ(t->ItemState(0), 0);
    // No separator before the first item nor beside the selected one.
    EXPECT_FALSE(t->SeparatorBefore(0));
    EXPECT_FALSE(t->SeparatorBefore(1));
    EXPECT_FALSE(t->SeparatorBefore(2));
    t->SetCurSel(0);
    EXPECT_FALSE(t->SeparatorBefore(1));
    EXPECT_TRUE(t->SeparatorBefore(2));
}

}  // namespace
