#include "screens/KeyboardHook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <vector>

#include "support/MacroTestSupport.h"

namespace {

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        macrotest::EnsureApplication();
        edit = std::make_unique<QLineEdit>();
        edit->show();
        edit->activateWindow();
        edit->setFocus();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        KeyboardHook::RemoveListener(&first);
        KeyboardHook::RemoveListener(&second);
        KeyboardHook::Remove();
        edit.reset();
    }
    // Types one character at the edit's window, as the window system would.
    void Type(Qt::Key key, const QString& text, unsigned evdev) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier, evdev + 8, 0, 0, text);
            QCoreApplication::sendEvent(edit->windowHandle(), &event);
        }
    }
    void Listen(int* object, std::vector<KBDLLHOOKSTRUCT>* seen, SOUI::LRESULT answer) {
        KeyboardHook::AddListener(object, [seen, answer](int, SOUI::WPARAM&, SOUI::LPARAM& l) {
            seen->push_back(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(l));
            return answer;
        });
    }

    std::unique_ptr<QLineEdit> edit;
    int first = 0;
    int second = 0;
};

TEST_F(KeyboardHookTest, SwallowedKeysReachNoWidget) {
    std::vector<KBDLLHOOKSTRUCT> seenFirst, seenSecond;
    ASSERT_TRUE(KeyboardHook::Install());
    EXPECT_TRUE(KeyboardHook::Install());
    Listen(&first, &seenFirst, 1);
    Listen(&second, &seenSecond, 0);
    Type(Qt::Key_A, "a", 30);
    EXPECT_EQ(edit->text(), "");
    ASSERT_EQ(seenFirst.size(), 2u);
    EXPECT_TRUE(seenSecond.empty());
    EXPECT_EQ(seenFirst[0].scanCode, 0x1Eu);
    EXPECT_EQ(seenFirst[0].vkCode, 0x41u);
}

TEST_F(KeyboardHookTest, ListenersRunInOrderUntilOneAnswers) {
    std::vector<KBDLLHOOKSTRUCT> seenFirst, seenSecond;
    KeyboardHook::Install();
    Listen(&first, &seenFirst, 0);
    Listen(&second, &seenSecond, 0);
    Type(Qt::Key_B, "b", 48);
    EXPECT_EQ(edit->text(), "b");
    EXPECT_EQ(seenFirst.size(), 2u);
    EXPECT_EQ(seenSecond.size(), 2u);
    // Registering again moves a listener behind the others, with its new handler.
    Listen(&first, &seenFirst, 1);
    Type(Qt::Key_B, "b", 48);
    EXPECT_EQ(edit->text(), "b");
    EXPECT_EQ(seenSecond.size(), 4u);
    EXPECT_EQ(KeyboardHook::ListenerCount(), 2);
    KeyboardHook::RemoveListener(&first);
    Type(Qt::Key_C, "c", 46);
    EXPECT_EQ(edit->text(), "bc");
}

TEST_F(KeyboardHookTest, RemovedHookPassesEverything) {
    std::vector<KBDLLHOOKSTRUCT> seen;
    KeyboardHook::Install();
    Listen(&first, &seen, 1);
    KeyboardHook::Remove();
    EXPECT_FALSE(KeyboardHook::IsInstalled());
    Type(Qt::Key_A, "a", 30);
    EXPECT_EQ(edit->text(), "a");
    EXPECT_TRUE(seen.empty());
}

TEST(KeyboardHookTranslate, MessagesScanCodesAndExtendedFlag) {
    // Without an application, the keyboard device Qt gives the events is never freed.
    macrotest::EnsureApplication();
    SOUI::UINT message = 0;
    KBDLLHOOKSTRUCT info;
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier, 97 + 8, 0, 0);
    ASSERT_TRUE(KeyboardHook::Translate(ctrl, message, info));
    EXPECT_EQ(message, WM_KEYDOWN);
    EXPECT_EQ(info.scanCode, 0x1Du);
    EXPECT_EQ(info.flags, LLKHF_EXTENDED);
    EXPECT_EQ(info.vkCode, 0xA3u);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_F4, Qt::AltModifier, 62 + 8, 0, 0);
    ASSERT_TRUE(KeyboardHook::Translate(altUp, message, info));
    EXPECT_EQ(message, WM_SYSKEYUP);
    EXPECT_EQ(info.vkCode, 0x73u);
    EXPECT_EQ(info.flags, 0u);
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier, 62 + 8, 0, 0);
    KeyboardHook::Translate(altDown, message, info);
    EXPECT_EQ(message, WM_SYSKEYDOWN);
    // Keypad 7 with NumLock off arrives as Home with the keypad modifier.
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::KeypadModifier, 71 + 8, 0, 0);
    KeyboardHook::Translate(home, message, info);
    EXPECT_EQ(info.vkCode, 0x24u);
    EXPECT_EQ(info.flags, 0u);
    // Unknown native codes still make an event, with nothing to name it.
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 3, 0, 0);
    ASSERT_TRUE(KeyboardHook::Translate(unknown, message, info));
    EXPECT_EQ(info.vkCode, 0u);
    EXPECT_EQ(info.scanCode, 0u);
    QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
    EXPECT_FALSE(KeyboardHook::Translate(shortcut, message, info));
}

}  // namespace
