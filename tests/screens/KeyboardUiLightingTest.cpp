// The lighting page against the emulated keyboard: every choice reaches the keyboard and the
// controls follow what the keyboard answers.
#include "support/PanelTestSupport.h"

namespace paneltest {
namespace {

constexpr int kStatic = 0;
constexpr int kWave = 2;    // left and right
constexpr int kRain = 3;    // up and down, no automatic colour
constexpr int kRipple = 4;  // background colour
constexpr int kSpiral = 6;  // turning
constexpr int kCustom = 8;  // per-key colours
constexpr int kOff = 13;    // no settings

class KeyboardUiLighting : public PanelTest {
protected:
    _reg_mode_t ActiveRegister() const {
        const int profile = Keyboard().ActiveProfile();
        return Keyboard().Register(profile, Keyboard().ProfileMode(profile));
    }
    bool Checked(const char* name) const { return Widget(name)->IsChecked(); }
    int SliderValue(const char* name) const { return Find<SOUI::SSliderBar>(name)->GetValue(); }
    // Checks every row of kShownByMode for `mode`.
    void ExpectShownAsForMode(int mode) const;
};

struct ShownRow {
    int mode;
    const char* widget;
    bool shown;
};

constexpr ShownRow kShownByMode[] = {
    // Rain: both colours, both brightnesses, speed, up and down, no automatic colour.
    {kRain, "win_color_panel_foreground", true},
    {kRain, "win_color_panel_background", true},
    {kRain, "radio_color_panel_auto", false},
    {kRain, "bar_mainled_bgbrightness_parent", true},
    {kRain, "radio_mainled_dir_top", true},
    {kRain, "radio_mainled_dir_left", false},
    {kRain, "rdo_dir_clock_parent", false},
    {kRain, "cmb_custom_index", false},
    // Static: one colour that may be automatic, nothing that moves.
    {kStatic, "win_color_panel_background", false},
    {kStatic, "bar_mainled_speed_parent", false},
    {kStatic, "wnd_dir_parent", false},
    {kStatic, "radio_color_panel_auto", true},
};

void KeyboardUiLighting::ExpectShownAsForMode(int mode) const {
    for (const ShownRow& row : kShownByMode) {
        if (row.mode != mode) continue;
        SCOPED_TRACE(row.widget);
        EXPECT_EQ(Shown(row.widget), row.shown);
    }
}

TEST_F(KeyboardUiLighting, ChoosingAModeSwitchesTheKeyboardAndTheControlsFollow) {
    Start();
    ASSERT_EQ(Find<SOUI::SComboBox>("cmb_mainled_light_mode_normal")->GetCount(),
              Keyboard().Shape().modes);
    ForgetReports();
    Choose("cmb_mainled_light_mode_normal", kRain);

    const std::vector<FeaturePacket> sent = SentReports(ProfileMode);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[0], kRain);
    EXPECT_EQ(Keyboard().ProfileMode(Keyboard().ActiveProfile()), kRain);

    const _reg_mode_t reg = ActiveRegister();
    EXPECT_EQ(SliderValue("bar_mainled_speed"), reg.speed());
    EXPECT_EQ(SliderValue("bar_mainled_fgbrightness"), reg.foregroundBrightness);
    EXPECT_EQ(SliderValue("bar_mainled_bgbrightness"), reg.backgroundBrightness);
    EXPECT_TRUE(Checked(reg.direction() == MODE_DIR_DOWN ? "radio_mainled_dir_bottom"
                                                         : "radio_mainled_dir_top"));
    ExpectShownAsForMode(kRain);
    SOUI::SWindow* backgroundAuto =
        Widget("win_color_panel_background")->FindChildByName("radio_color_panel_auto");
    ASSERT_NE(backgroundAuto, nullptr);
    EXPECT_FALSE(backgroundAuto->isVisibleTo(host->GetFrame()));
    EXPECT_TRUE(LedKeys()->IsDisabled());

    Choose("cmb_mainled_light_mode_normal", kStatic);
    ExpectShownAsForMode(kStatic);
}

TEST_F(KeyboardUiLighting, AModeWithoutSettingsHidesTheOthersAndDisablesThePicture) {
    Start();
    for (int before : {kCustom, kRain}) {
        SCOPED_TRACE(before);
        Choose("cmb_mainled_light_mode_normal", before);
        Choose("cmb_mainled_light_mode_normal", kOff);
        EXPECT_TRUE(LedKeys()->IsDisabled());
        for (const char* setting : {"bar_mainled_speed_parent", "bar_mainled_fgbrightness_parent",
                                    "bar_mainled_bgbrightness_parent", "cmb_custom_index",
                                    "win_color_panel_background", "gp_mainled_direction_parent"})
            EXPECT_FALSE(Shown(setting)) << setting;
    }
}

TEST_F(KeyboardUiLighting, EachSliderWritesItsPartOfTheRegister) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kRain);
    // Positions away from the current ones, so that every slider moves.
    const _reg_mode_t before = ActiveRegister();
    const int speed = before.speed() == 15 ? 3 : 15;
    const int foreground = (before.foregroundBrightness + 37) % 256;
    const int background = (before.backgroundBrightness + 11) % 256;
    ForgetReports();
    Slide("bar_mainled_speed", speed);
    Slide("bar_mainled_fgbrightness", foreground);
    Slide("bar_mainled_bgbrightness", background);

    const std::vector<FeaturePacket> sent = SentReports(ModeRegister);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].data[2] & 0x0F, speed);
    EXPECT_EQ(sent[1].data[0], foreground);
    EXPECT_EQ(sent[2].data[1], background);
    const _reg_mode_t reg = ActiveRegister();
    EXPECT_EQ(reg.speed(), speed);
    EXPECT_EQ(reg.foregroundBrightness, foreground);
    EXPECT_EQ(reg.backgroundBrightness, background);
    EXPECT_EQ(reg.direction(), before.direction());
    EXPECT_EQ(Widget("txt_mainled_fgbrightness")->GetWindowText(), QString::number(foreground));
}

TEST_F(KeyboardUiLighting, OnlyTheLowFourBitsOfASpeedPositionCount) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kRain);
    Find<SOUI::SSliderBar>("bar_mainled_speed")->SetRange(0, 255);
    Slide("bar_mainled_speed", 20);
    EXPECT_EQ(ActiveRegister().speed(), 4);
}

TEST_F(KeyboardUiLighting, DirectionRadiosWriteTheirValues) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kWave);
    EXPECT_TRUE(Shown("radio_mainled_dir_left"));
    EXPECT_FALSE(Shown("radio_mainled_dir_top"));
    Click("radio_mainled_dir_left");
    EXPECT_EQ(ActiveRegister().direction(), 1);
    Click("radio_mainled_dir_right");
    EXPECT_EQ(ActiveRegister().direction(), 0);

    // A register with direction 0 arriving from the keyboard shows "right".
    Choose("cmb_mainled_light_mode_normal", kStatic);
    Choose("cmb_mainled_light_mode_normal", kWave);
    EXPECT_TRUE(Checked("radio_mainled_dir_right"));
    EXPECT_FALSE(Checked("radio_mainled_dir_left"));
}

TEST_F(KeyboardUiLighting, RotationRadiosWriteClockwiseAndAnticlockwise) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kSpiral);
    EXPECT_TRUE(Shown("rdo_dir_clock_parent"));
    EXPECT_FALSE(Shown("rdo_dir_vecthorz_parent"));

    ForgetReports();
    Click("radio_mainled_dir_anticlockwise");
    EXPECT_EQ(ActiveRegister().direction(), KeyboardUi::kAnticlockwise);
    Click("radio_mainled_dir_clockwise");
    EXPECT_EQ(ActiveRegister().direction(), KeyboardUi::kClockwise);
    EXPECT_EQ(SentReports(ModeRegister).size(), 2u);

    // The register's value comes back checked.
    Click("radio_mainled_dir_anticlockwise");
    Choose("cmb_mainled_light_mode_normal", kStatic);
    Choose("cmb_mainled_light_mode_normal", kSpiral);
    EXPECT_TRUE(Checked("radio_mainled_dir_anticlockwise"));
    EXPECT_FALSE(Checked("radio_mainled_dir_clockwise"));

    // Without turning the radios change nothing.
    Choose("cmb_mainled_light_mode_normal", kWave);
    ForgetReports();
    Click("radio_mainled_dir_anticlockwise");
    EXPECT_TRUE(SentReports(ModeRegister).empty());
}

TEST_F(KeyboardUiLighting, SwatchesSetTheForegroundAndBackgroundColours) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kRipple);
    PickSwatch("win_color_panel_foreground", "radio_color_panel_defcol1");
    PickSwatch("win_color_panel_background", "radio_color_panel_defcol3");
    _reg_mode_t reg = ActiveRegister();
    EXPECT_EQ(reg.foregroundColor() & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(reg.backgroundColor() & 0xFFFFFF, 0xFF0000u);
    EXPECT_FALSE(reg.autoForeground());

    // Ripple takes no automatic colour: choosing it sends nothing.
    ForgetReports();
    PickSwatch("win_color_panel_foreground", "radio_color_panel_auto");
    EXPECT_TRUE(SentReports(ModeRegister).empty());

    Choose("cmb_mainled_light_mode_normal", kStatic);
    PickSwatch("win_color_panel_foreground", "radio_color_panel_defcol2");
    PickSwatch("win_color_panel_foreground", "radio_color_panel_auto");
    reg = ActiveRegister();
    EXPECT_TRUE(reg.autoForeground());
    EXPECT_EQ(reg.foregroundColor() & 0xFFFFFF, 0x00FF00u);
}

TEST_F(KeyboardUiLighting, PaintingSelectedKeysSendsTheirColours) {
    ASSERT_TRUE(Keyboard().Modify([](KeyboardState& s) {
        for (auto& set : s.colourSets)
            for (rgba_t& c : set) c = {1, 2, 3, 0x5A};
    }));
    Start();
    Choose("cmb_mainled_light_mode_normal", kCustom);
    EXPECT_TRUE(Shown("cmb_custom_index"));
    // Keys take the foreground panel's colour, whatever the mode's colour flags say.
    EXPECT_TRUE(Shown("win_color_panel_foreground"));
    const std::vector<CoordButtonInfo>& keys = LedKeys()->Items();
    ASSERT_GE(keys.size(), 108u);
    host->ui.OnLedSelection({keys[3], keys[40]});
    Settle();

    ForgetReports();
    PickSwatch("win_color_panel_foreground", "radio_color_panel_defcol1");
    const std::vector<FeaturePacket> sent = SentReports(KeyColours);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].length, 432);
    auto colourAt = [&](int key) {
        const std::uint8_t* p = sent[0].data + 4 * key;
        return rgba_t{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(colourAt(3), (rgba_t{255, 0, 0, 0x5A}));
    EXPECT_EQ(colourAt(40), (rgba_t{255, 0, 0, 0x5A}));
    // Keys not painted go back as the keyboard gave them, fourth byte included.
    EXPECT_EQ(colourAt(4), (rgba_t{1, 2, 3, 0x5A}));
    EXPECT_EQ(Keyboard().Colours(Keyboard().SelectedColourSet())[40], (rgba_t{255, 0, 0, 0x5A}));
    // The picture shows the painted keys.
    EXPECT_EQ(LedKeys()->Items()[40].fground & 0xFFFFFF, 0x0000FFu);
}

TEST_F(KeyboardUiLighting, ChoosingAColourSetSendsIt) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kCustom);
    ForgetReports();
    Choose("cmb_custom_index", 2);
    const std::vector<FeaturePacket> sent = SentReports(ColourSet);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data[0], 2);
    EXPECT_EQ(Keyboard().SelectedColourSet(), 2);
}

TEST_F(KeyboardUiLighting, ChoosingAProfileSwitchesTheKeyboard) {
    ASSERT_TRUE(Keyboard().Modify([](KeyboardState& s) { s.profileModes.at(1) = kRain; }));
    Start();
    SOUI::SComboBox* profiles = Find<SOUI::SComboBox>("kb_cmb_profile");
    ASSERT_EQ(profiles->GetCount(), Keyboard().Shape().profiles);
    ForgetReports();
    Choose("kb_cmb_profile", 1);
    EXPECT_EQ(Keyboard().ActiveProfile(), 1);
    EXPECT_EQ(SentReports(ActiveProfile).size(), 1u);
    // The profile's own mode and register come back.
    EXPECT_EQ(Find<SOUI::SComboBox>("cmb_mainled_light_mode_normal")->GetCurSel(), kRain);
    EXPECT_EQ(SliderValue("bar_mainled_fgbrightness"),
              Keyboard().Register(1, kRain).foregroundBrightness);
    EXPECT_EQ(profiles->GetCurSel(), 1);
}

TEST_F(KeyboardUiLighting, FactoryResetPressedTwiceIsSentTwice) {
    Start();
    int asked = 0;
    host->ui.SetConfirmation([&](SOUI::HWND, const QString&) { return ++asked > 0; });
    Click("btn_kb_restore_factory");
    Click("btn_kb_restore_factory");
    EXPECT_EQ(Keyboard().FactoryResets(), 2);
    QString told;
    host->ui.SetNotice([&](SOUI::HWND, const QString& text) { told = text; });
    Click("btn_clear_all_mask");
    EXPECT_EQ(Keyboard().MaskClears(), 1);
    // The mask clear asks first too, and then says it was done.
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(told, "The keyboard's key masks were cleared.");
}

TEST_F(KeyboardUiLighting, AFactoryResetTheUserCancelsSendsNothing) {
    Start();
    QString question;
    host->ui.SetConfirmation([&](SOUI::HWND, const QString& text) {
        question = text;
        return false;
    });
    ForgetReports();
    Click("btn_kb_restore_factory");
    EXPECT_EQ(Keyboard().FactoryResets(), 0);
    EXPECT_TRUE(SentReports(DeviceControl).empty());
    for (const char* erased : {"lighting", "key assignments", "macros"})
        EXPECT_TRUE(question.contains(erased)) << erased;
}

}  // namespace
}  // namespace paneltest
