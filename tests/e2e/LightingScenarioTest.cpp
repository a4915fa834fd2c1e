// The lighting page under real input: the settings and colours each mode shows, the swatches
// that apply and frame them, painting keys with bands dragged any way, and lists that open over
// the key picture without painting keys the user never chose.
#include "support/Scenario.h"

namespace e2e {
namespace {

constexpr int kWave = 2;
constexpr int kRain = 3;
constexpr int kCustom = 8;

QColor RegisterColour(std::uint32_t rgba) {
    return QColor(rgba & 0xFF, (rgba >> 8) & 0xFF, (rgba >> 16) & 0xFF);
}

class LightingScenario : public Scenario {
protected:
};

TEST_F(LightingScenario, EachModeShowsItsOwnSettingsAndTheKeyboardsColours) {
    const std::uint32_t foreground = 0x00CC6633, background = 0x003399FF;
    PrepareKeyboard([&](KeyboardState& s) {
        s.profileModes[0] = kRain;
        s.Register(0, kRain).setAutoForeground(false);
        s.Register(0, kRain).setForegroundColor(foreground);
        s.Register(0, kRain).setBackgroundColor(background);
        s.Register(0, kRain).setSpeed(6);
    });
    ASSERT_TRUE(StartProgram());
    // The colour panels show the register's colours, foreground on the left.
    const auto previews = a11y_->Find("color_panel_preview");
    ASSERT_EQ(previews.size(), 2u) << WithScreen("both colour panels should show in Rain");
    EXPECT_LE(ColourDistance(MainColour(Screen(), previews[0].screen), RegisterColour(foreground)),
              8)
        << WithScreen("the foreground panel does not show the keyboard's colour");
    EXPECT_LE(ColourDistance(MainColour(Screen(), previews[1].screen), RegisterColour(background)),
              8)
        << WithScreen("the background panel does not show the keyboard's colour");
    ASSERT_FALSE(a11y_->Find("bar_mainled_speed_parent").empty());
    // A click on the track beside the handle moves the speed one step, not a page of ten.
    const QRect speed = WaitForControl("bar_mainled_speed").screen;
    input_->Click(QPoint(speed.right() - 4, speed.center().y()));
    EXPECT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->Register(0, kRain).speed() == 7;
    })) << WithScreen("a click on the speed track did not step once");

    // Red chosen in Wave stays Wave's: a click on red applies it to Rain too.
    ChooseFromList("cmb_mainled_light_mode_normal", "Wave");
    Click("radio_color_panel_defcol1");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == kWave && k->Register(0, kWave).foregroundColor() == 0xFF;
    })) << WithScreen("red did not reach Wave");
    ChooseFromList("cmb_mainled_light_mode_normal", "Rain");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == kRain;
    }));
    Click("radio_color_panel_defcol1");
    EXPECT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->Register(0, kRain).foregroundColor() == 0xFF;
    })) << WithScreen("a click on red did not reach Rain");

    // "Off" has no settings: none of the previous mode's stay on show.
    ChooseFromList("cmb_mainled_light_mode_normal", "Off");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == 13;
    })) << WithScreen("Off was not chosen");
    for (const char* setting : {"bar_mainled_speed_parent", "bar_mainled_fgbrightness_parent",
                                "bar_mainled_bgbrightness_parent", "gp_mainled_direction_parent",
                                "win_color_panel_foreground", "win_color_panel_background"})
        EXPECT_TRUE(WaitUntilGone(setting))
            << WithScreen(std::string(setting) + " still shows for a mode without settings");
}

TEST_F(LightingScenario, BandsDraggedUpAndLeftSelectAndClearKeys) {
    AllProfilesPerKey();
    ASSERT_TRUE(StartProgram());
    const std::vector<QString> covered{"Y", "U", "H", "J"};
    const QRect y = KeyOnScreen("cbimg_led_effect", "Y");
    const QRect j = KeyOnScreen("cbimg_led_effect", "J");
    // From below right of J to above left of Y: the band covers Y, U, H and J.
    input_->Drag(j.bottomRight() + QPoint(3, 3), y.topLeft() - QPoint(3, 3));
    Click("radio_color_panel_defcol1");  // red
    EXPECT_TRUE(WaitUntil([&] { return KeysAre(covered, Qt::red); }))
        << WithScreen("a band dragged up and left did not select the keys it covers");
    EXPECT_EQ(KeyColour("G"), QColor(Qt::blue));
    EXPECT_EQ(KeyColour("I"), QColor(Qt::blue));

    // The right button clears the selection with a band dragged the same way.
    input_->Drag(j.bottomRight() + QPoint(3, 3), y.topLeft() - QPoint(3, 3), 3);
    // Only P is selected now; once it is green, the input before it has been handled too.
    ClickKey("cbimg_led_effect", "P");
    Click("radio_color_panel_defcol2");  // green
    ASSERT_TRUE(WaitUntil([&] { return KeyColour("P") == QColor(Qt::green); }));
    EXPECT_TRUE(KeysAre(covered, Qt::red))
        << WithScreen("a right band dragged up and left did not clear the selection");
    // The framed swatch paints the keys chosen since as well.
    ClickKey("cbimg_led_effect", "G");
    Click("radio_color_panel_defcol2");
    EXPECT_TRUE(WaitUntil([&] { return KeyColour("G") == QColor(Qt::green); }))
        << WithScreen("a click on the framed swatch did nothing");
}

TEST_F(LightingScenario, AListOpenedOverThePictureKeepsItsClicks) {
    AllProfilesPerKey();
    ASSERT_TRUE(StartProgram());
    // The mode list opens around the current mode, so the modes before it lie over the keys.
    Click("cmb_mainled_light_mode_normal");
    std::vector<Control> entry;
    ASSERT_TRUE(WaitUntil([&] { return !(entry = a11y_->FindLabelled("Reactive")).empty(); }));
    const QPoint point = entry.front().screen.center();
    const CoordButtonInfo under = KeyUnder("cbimg_led_effect", point);
    ASSERT_FALSE(under.name.empty()) << WithScreen("no key lies under the list entry");
    input_->Click(point);
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == 5;
    })) << WithScreen("Reactive was not chosen");
    // Back to per-key colours, paint red: the key under the list entry was never selected.
    ChooseFromList("cmb_mainled_light_mode_normal", "Custom");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == kCustom;
    }));
    const QString name = QString::fromStdWString(under.name);
    ASSERT_NE(name, "P");
    ClickKey("cbimg_led_effect", "P");
    Click("radio_color_panel_defcol1");
    ASSERT_TRUE(WaitUntil([&] { return KeyColour("P") == QColor(Qt::red); }));
    EXPECT_EQ(KeyColour(name), QColor(Qt::blue)) << WithScreen(
        "the click in the list selected the key " + name.toStdString() + " behind it");

    // Lists opened with quick clicks take their releases, one closed with Escape too: moving
    // over the picture afterwards selects nothing, so green paints P alone.
    ChooseFromList("cmb_custom_index", "Colour set 2");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->selectedColourSet == 1;
    }));
    Click("kb_cmb_profile");
    input_->Key("Escape");
    input_->MoveTo(KeyOnScreen("cbimg_led_effect", "Esc").center());
    input_->MoveTo(KeyOnScreen("cbimg_led_effect", "Enter").center());
    Click("radio_color_panel_defcol2");
    ASSERT_TRUE(WaitUntil([&] { return KeyColour("P") == QColor(Qt::green); }));
    const auto& set = Keyboard()->colourSets.at(1);
    EXPECT_EQ(std::count_if(set.begin(), set.end(),
                            [](const rgba_t& c) { return c.r == 0 && c.g == 255 && c.b == 0; }),
              1)
        << WithScreen("keys the user never chose were painted");
}

}  // namespace
}  // namespace e2e
