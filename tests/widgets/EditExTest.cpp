// "editex": Enter becomes its own event; clicks never reach the edit and enable it.
#include <QTest>

#include "WidgetTestSupport.h"

using namespace SOUI;

namespace {

class EditEx : public widgettest::WidgetTest {};

TEST_F(EditEx, EnterFiresKeyEnterAndNeverReachesTheEdit) {
    auto* e = Create<SEditEx>("<editex name='key_delay' pos='0,0' size='80,24' text='10'/>");
    ASSERT_NE(e, nullptr);
    std::vector<QString> fired;
    e->Subscribe<EventKeyEnter>([&](EventKeyEnter* ev) {
        fired.push_back(ev->nameFrom);
        return false;
    });
    int returnPressed = 0;
    QObject::connect(e->LineEdit(), &QLineEdit::returnPressed, [&] { ++returnPressed; });
    QTest::keyClick(e->LineEdit(), Qt::Key_Return);
    QTest::keyClick(e->LineEdit(), Qt::Key_Enter);
    EXPECT_EQ(fired, (std::vector<QString>{"key_delay", "key_delay"}));
    EXPECT_EQ(returnPressed, 0);
    EXPECT_EQ(EventKeyEnter::EventID, 10000500);
    EXPECT_STREQ(EventKeyEnter::kName, "on_key_enter");
    // Other keys reach the edit.
    e->LineEdit()->setCursorPosition(2);
    QTest::keyClick(e->LineEdit(), Qt::Key_5);
    EXPECT_EQ(e->GetWindowText(), "105");
}

TEST_F(EditEx, ClickEnablesADisabledEdit) {
    auto* e = Create<SEditEx>("<editex pos='0,0' size='80,24' text='abc' enable='0'/>");
    ASSERT_NE(e, nullptr);
    host->ShowWindow(SW_SHOWNORMAL);
    uitest::ProcessEvents();
    ASSERT_TRUE(e->IsDisabled());
    QTest::mouseClick(e->LineEdit(), Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_FALSE(e->IsDisabled());
    EXPECT_TRUE(e->LineEdit()->isEnabled());
}

TEST_F(EditEx, ClicksDoNotMoveTheCursor) {
    auto* e = Create<SEditEx>("<editex pos='0,0' size='200,24' text='abcdef'/>");
    ASSERT_NE(e, nullptr);
    host->ShowWindow(SW_SHOWNORMAL);
    uitest::ProcessEvents();
    e->LineEdit()->setCursorPosition(6);
    QTest::mouseClick(e->LineEdit(), Qt::LeftButton, {}, QPoint(2, 12));
    EXPECT_EQ(e->LineEdit()->cursorPosition(), 6);
}

}  // namespace
