// State indexes, icon placement and text offsets of "checkex" and "radioex".
#include "WidgetTestSupport.h"

using namespace SOUI;

namespace {

class CheckEx : public widgettest::WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        AddSkin("box4", 4, 12, 14);
        AddSkin("icon8", 8, 16, 10);
    }
};

TEST_F(CheckEx, BoxIndexPrefersPushedThenHoverThenChecked) {
    auto* c = Create<SCheckBoxEx>("<checkex skin='box4' pos='0,0' size='100,30'/>");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->BoxStateIndex(), 0);
    c->SetCheck(true);
    EXPECT_EQ(c->BoxStateIndex(), 3);  // the skin's last state
    c->ModifyState(WndState_Hover, 0);
    EXPECT_EQ(c->BoxStateIndex(), 1);
    c->ModifyState(WndState_PushDown, 0);
    EXPECT_EQ(c->BoxStateIndex(), 2);
    c->ModifyState(0, WndState_PushDown | WndState_Hover);
    c->SetCheck(false);
    EXPECT_EQ(c->BoxStateIndex(), 0);
    EXPECT_EQ(c->GetDesiredSize(), QSize(12, 14));
    EXPECT_EQ(c->BoxRect(), QRect(0, 8, 12, 14));
}

TEST_F(CheckEx, IconUsesEightStatesAndMovesTheText) {
    auto* c = Create<SCheckBoxEx>(
        "<checkex skin='box4' iconSkin='icon8' iconPos='3,2' textX='5' textY='0x4' "
        "pos='0,0' size='100,30'/>");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->IconRect(), QRect(3, 2, 16, 10));
    EXPECT_EQ(c->TextOffset(), QPoint(5 + 3 + 16, 4 + 2));
    EXPECT_EQ(c->IconStateIndex(), 0);
    c->ModifyState(WndState_Hover, 0);
    EXPECT_EQ(c->IconStateIndex(), 1);
    c->ModifyState(WndState_PushDown, 0);
    EXPECT_EQ(c->IconStateIndex(), 2);
    c->SetCheck(true);
    EXPECT_EQ(c->IconStateIndex(), 6);
    c->EnableWindow(false);
    EXPECT_EQ(c->IconStateIndex(), 7);
    c->SetCheck(false);
    EXPECT_EQ(c->IconStateIndex(), 3);
}

TEST_F(CheckEx, IconPosWithOneNumberSetsOnlyX) {
    auto* c = Create<SCheckBoxEx>("<checkex iconSkin='icon8' iconPos='3,7'/>");
    ASSERT_NE(c, nullptr);
    c->SetAttribute("iconpos", "9");
    EXPECT_EQ(c->IconRect().topLeft(), QPoint(9, 7));
    c->SetAttribute("iconpos", "x");
    EXPECT_EQ(c->IconRect().topLeft(), QPoint(9, 7));
}

TEST_F(CheckEx, WithoutSkinsItDrawsNoBoxAndNoIcon) {
    auto* c = Create<SCheckBoxEx>("<checkex text='Record' pos='0,0' size='100,30'/>");
    ASSERT_NE(c, nullptr);
    c->SetCheck(true);
    EXPECT_EQ(c->BoxStateIndex(), 0);
    EXPECT_TRUE(c->BoxRect().isNull());
    EXPECT_TRUE(c->IconRect().isNull());
    EXPECT_EQ(c->TextOffset(), QPoint(0, 0));
    EXPECT_EQ(c->GetWindowText(), "Record");
}

TEST_F(CheckEx, IconWithoutBoxSkinStillFollowsTheState) {
    auto* c = Create<SCheckBoxEx>("<checkex iconSkin='icon8' pos='0,0' size='100,30'/>");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->IconRect(), QRect(0, 0, 16, 10));
    c->SetCheck(true);
    EXPECT_EQ(c->IconStateIndex(), 4);
    EXPECT_EQ(c->TextOffset(), QPoint(16, 0));
}

class RadioEx : public widgettest::WidgetTest {};

TEST_F(RadioEx, BoxIndexDependsOnTheNumberOfStates) {
    // Expected index per state count n = 1..4 for: normal, hover, checked, disabled.
    const int expected[4][4] = {{0, 0, 0, 0}, {0, 1, 1, 1}, {0, 1, 2, 2}, {0, 1, 2, 3}};
    for (int n = 1; n <= 4; ++n) {
        const std::string skin = "radio" + std::to_string(n);
        AddSkin(skin.c_str(), n);
        auto* r = Create<SRadioBoxEx>(("<radioex skin='" + skin + "'/>").c_str());
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->BoxStateIndex(), expected[n - 1][0]) << n;
        r->ModifyState(WndState_Hover, 0);
        EXPECT_EQ(r->BoxStateIndex(), expected[n - 1][1]) << n;
        r->SetCheck(true);
        EXPECT_EQ(r->BoxStateIndex(), expected[n - 1][2]) << n;
        r->EnableWindow(false);
        EXPECT_EQ(r->BoxStateIndex(), expected[n - 1][3]) << n;
    }
}

TEST_F(RadioEx, GravityAcceptsOnlyKnownWords) {
    auto* r = Create<SRadioBoxEx>("<radioex gravity='bottom'/>");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Gravity(), 2);
    r->SetAttribute("gravity", "middle");
    EXPECT_EQ(r->Gravity(), 2);
    r->SetAttribute("gravity", "center");
    EXPECT_EQ(r->Gravity(), 1);
    r->SetAttribute("gravity", "top");
    EXPECT_EQ(r->Gravity(), 0);
    r->SetAttribute("gravity", "right");
    EXPECT_EQ(r->Gravity(), 2);
    r->SetAttribute("gravity", "left");
    EXPECT_EQ(r->Gravity(), 0);
}

TEST_F(RadioEx, CentredBoxVerticallyCentredIconAndTextOffset) {
    AddSkin("rbox", 3, 10, 10);
    AddSkin("ricon", 8, 6, 8);
    auto* r = Create<SRadioBoxEx>(
        "<radioex skin='rbox' gravity='center' iconSkin='ricon' iconPos='2,3' textX='1' "
        "textY='2' pos='0,0' size='40,20'/>");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->BoxDrawRect(), QRect(15, 5, 10, 10));
    EXPECT_EQ(r->IconRect(), QRect(2, (20 - 8) / 2 + 3, 6, 8));
    EXPECT_EQ(r->TextOffset(), QPoint(1 + 2 + 6, 2 + 2 * 3));
    r->SetAttribute("gravity", "left");
    EXPECT_EQ(r->BoxDrawRect(), QRect(0, 5, 10, 10));
    r->SetCheck(true);
    EXPECT_EQ(r->IconStateIndex(), 4);
}

}  // namespace
