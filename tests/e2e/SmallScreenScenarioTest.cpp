// A 1024x768 screen, smaller than the window's layout: the window fits the screen, keeps its
// own buttons in view, and the rest of its content is reached by scrolling.
#include "support/Scenario.h"

namespace e2e {
namespace {

constexpr int kScrollRight = 7;  // the X button of a horizontal wheel

class SmallScreenScenario : public Scenario {
protected:
    QSize ScreenSize() const override { return {1024, 768}; }

    QRect MainWindow() {
        for (const Control& window : a11y_->Windows())
            if (window.label == "Keylume") return window.screen;
        return {};
    }
};

TEST_F(SmallScreenScenario, TheWindowFitsAndItsContentScrolls) {
    ASSERT_TRUE(StartProgram());
    const QRect screen(QPoint(0, 0), ScreenSize());
    const QRect window = MainWindow();
    EXPECT_TRUE(screen.contains(window)) << WithScreen("the window lies outside the screen");
    for (const char* button : {"btn_close", "btn_min", "btn_more"})
        EXPECT_TRUE(window.contains(WaitForControl(button).screen))
            << WithScreen(std::string(button) + " is out of view");

    // The factory reset lies beyond the right edge until the content is scrolled there.
    const auto factoryInView = [&] {
        return window.contains(WaitForControl("btn_kb_restore_factory").screen);
    };
    EXPECT_FALSE(factoryInView());
    const QPoint overThePicture = KeyOnScreen("cbimg_led_effect", "G").center();
    for (int turn = 0; turn < 40 && !factoryInView(); ++turn)
        input_->Click(overThePicture, kScrollRight);
    ASSERT_TRUE(factoryInView()) << WithScreen("scrolling does not reach the factory reset");
    // The title bar came along: its buttons are still in view, and the reset still works.
    EXPECT_TRUE(window.contains(WaitForControl("btn_close").screen))
        << WithScreen("the close button scrolled out of view");
    Click("btn_kb_restore_factory");
    EXPECT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 1; }))
        << WithScreen("the factory reset does not ask");
    input_->Key("Escape");
    EXPECT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 0; }));
}

}  // namespace
}  // namespace e2e
