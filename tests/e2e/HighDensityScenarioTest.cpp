// A screen of twice the density that is small in its own pixels: 1600x1000 at Qt's scale 2
// shows 800x500. The title bar's controls lie apart, the key editor's closing buttons are on the
// screen and work, and the keyboard pictures use every pixel of the screen.
#include <QPainter>

#include "support/Scenario.h"

namespace e2e {
namespace {

class HighDensityScenario : public Scenario {
protected:
    QSize ScreenSize() const override { return {1600, 1000}; }
    int ScaleFactor() const override { return 2; }

    // Whether the key shows, in `part` of its place on the screen, pixel for pixel what state
    // `state` of its picture drawn for twice the density has there.
    bool ShowsDenseKey(const QString& picture, const QString& keyName, int state,
                       const QRect& part) {
        const char* file =
            picture == "cbimg_led_effect" ? "keyboard_led@2x.png" : "keyboard_macro@2x.png";
        const QImage dense(
            QString::fromStdString((program_->dataFolder() / "uires" / "image" / file).string()));
        const CoordRect r = KeyInfo(picture, keyName).rect;
        const QRect place = KeyOnScreen(picture, keyName);
        const QImage shown = Screen();
        QImage expected = shown;
        QPainter(&expected).drawImage(
            place, dense,
            QRect(QPoint(state * dense.width() / 4 + r.left * 2, r.top * 2), place.size()));
        return !dense.isNull() && !RegionChanged(shown, expected, part);
    }
};

TEST_F(HighDensityScenario, TheWindowAndTheEditorKeepTheirButtonsApartAndInView) {
    ASSERT_TRUE(StartProgram());
    const QRect more = WaitForControl("btn_more").screen;
    const QRect profile = WaitForControl("kb_cmb_profile").screen;
    EXPECT_FALSE(more.intersects(profile)) << WithScreen("the more button covers the profiles");

    ClickLabelled("Keys");
    ClickKey("cbimg_macro_record", "A");
    const QRect screen(QPoint(0, 0), ScreenSize());
    for (const char* button : {"btnOK", "btnCancel"})
        EXPECT_TRUE(screen.contains(WaitForControl(button).screen))
            << WithScreen(std::string(button) + " lies off the screen");
    Click("btnCancel");
    EXPECT_TRUE(WaitUntil([&] { return WindowsTitled("Key assignment") == 0; }))
        << WithScreen("Cancel did not close the editor");
}

TEST_F(HighDensityScenario, KeyPicturesUseTheScreensOwnPixels) {
    constexpr int kNormal = 0, kHover = 1, kDisabled = 3;
    ASSERT_TRUE(StartProgram());
    // The lighting picture takes no clicks in the first profile's mode, and shows so.
    for (const auto& [page, picture, state] :
         {std::tuple{"Lighting", "cbimg_led_effect", kDisabled},
          std::tuple{"Keys", "cbimg_macro_record", kNormal}}) {
        ClickLabelled(page);
        EXPECT_TRUE(ShowsDenseKey(picture, "Q", state, KeyOnScreen(picture, "Q")))
            << WithScreen(std::string(page) + ": Q is not drawn with every pixel");
    }
    // The state under the pointer lies exactly on the key. Its top only: its tip shows below.
    const QRect key = KeyOnScreen("cbimg_macro_record", "Q");
    const QRect top(key.topLeft(), QSize(key.width(), 30));
    input_->MoveTo(key.topLeft() + QPoint(6, 6));
    EXPECT_TRUE(WaitUntil([&] { return ShowsDenseKey("cbimg_macro_record", "Q", kHover, top); }))
        << WithScreen("the Q under the pointer is not its picture's own");
}

}  // namespace
}  // namespace e2e
