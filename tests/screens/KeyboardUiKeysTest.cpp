// The key assignment page, the panel's wiring to the layouts, and the controls the layouts
// leave out.
#include <QDir>
#include <cstdlib>

#include "records/SharedShapes.h"
#include "support/PanelTestSupport.h"

namespace paneltest {
namespace {

class KeyboardUiKeys : public PanelTest {};

// Watches shapes::kRecordFlagName as another holder of the group would.
struct RecordFlagWatch {
    RecordFlagWatch() { flag.bind(this, &RecordFlagWatch::OnFlag); }
    void OnFlag(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t, int) {
        if (count) seen.push_back(data[0]);
    }
    std::vector<int> seen;
    shapes::RecordFlag flag{shapes::kRecordFlagName};
};

TEST_F(KeyboardUiKeys, AssignedKeysAreMarkedOnTheKeyPicture) {
    ASSERT_TRUE(Keyboard().Modify([](KeyboardState& s) {
        s.keyCodes[5] = macro_code_t::make(1, 0x1E);
        s.keyCodes[6].setCode(0x0FFF);
        s.keyCodes[108] = macro_code_t::make(3, 0);
    }));
    Start();
    const std::vector<CoordButtonInfo>& keys = MacroKeys()->Items();
    ASSERT_EQ(keys.size(), 109u);
    EXPECT_EQ(keys[5].checked, 1);
    EXPECT_EQ(keys[6].checked, 0);
    EXPECT_EQ(keys[108].checked, 1);
    int marked = 0;
    for (const CoordButtonInfo& key : keys) marked += key.checked;
    EXPECT_EQ(marked, 2);
}

TEST_F(KeyboardUiKeys, ReleasingOnAKeyOpensTheEditorForIt) {
    Start();
    RecordFlagWatch watch;
    std::vector<std::wstring> opened;
    std::vector<int> flagWhileOpen;
    host->ui.SetEditorOpener(
        [&](SOUI::HWND owner, const std::wstring& name, const CoordButtonInfo&) {
            EXPECT_EQ(owner, host->GetHostHwnd());
            opened.push_back(name);
            Settle();
            flagWhileOpen = watch.seen;
        });
    const CoordButtonInfo key = MacroKeys()->Items().at(1);
    EXPECT_FALSE(host->ui.OnMacroKeyClick(key.id, key.order, key, 0, 0, 5, 5));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(host->ui.OnMacroKeyClick(key.id, key.order, key, 1, 0, 5, 5));
    Settle();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], key.name);
    EXPECT_EQ(flagWhileOpen, std::vector<int>{1});
    EXPECT_EQ(watch.seen, (std::vector<int>{1, 0}));

    CoordButtonInfo noKey = key;
    noKey.id = 0;
    EXPECT_FALSE(host->ui.OnMacroKeyClick(0, key.order, noKey, 1, 0, 5, 5));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(KeyboardUiKeys, TheMacroEditorRunsModallyOverTheWindow) {
    Start();
    int shown = 0;
    SOUI::ScopedModalAnswerer answer([&](SOUI::SHostDialog& dialog) {
        ++shown;
        EXPECT_TRUE(dialog.IsModalRunning());
        dialog.EndDialog(SOUI::IDCANCEL);
    });
    const CoordButtonInfo key = MacroKeys()->Items().at(20);
    EXPECT_TRUE(host->ui.OnMacroKeyClick(key.id, key.order, key, 1, 0, 5, 5));
    Settle();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(host->IsWindow());
}

TEST_F(KeyboardUiKeys, EveryBoundWidgetIsInTheLayoutsAndTheInertButtonsAreNot) {
    Start();
    for (const char* name :
         {"statever", "kb_cmb_profile", "cmb_mainled_light_mode_normal", "cmb_custom_index",
          "bar_mainled_speed_parent", "bar_mainled_fgbrightness_parent",
          "bar_mainled_bgbrightness_parent", "gp_mainled_direction_parent",
          "win_color_panel_foreground", "win_color_panel_background", "wnd_dir_parent",
          "rdo_dir_vecthorz_parent", "rdo_dir_clock_parent", "btn_kb_restore_factory",
          "btn_clear_all_mask", "radio_mainled_dir_clockwise", "radio_mainled_dir_anticlockwise"})
        EXPECT_NE(Widget(name), nullptr) << name;
    for (int id = 65645; id <= 65648; ++id)
        EXPECT_NE(host->GetRoot()->FindChildByID(id), nullptr) << id;
    EXPECT_EQ(host->GetRoot()->FindChildByID(65645)->GetName(), "radio_mainled_dir_left");
    EXPECT_EQ(host->GetRoot()->FindChildByID(65648)->GetName(), "radio_mainled_dir_bottom");
    for (const char* picture : {"cbimg_led_effect", "cbimg_macro_record"}) {
        auto* keys = Find<SOUI::CoordButtonImage>(picture);
        ASSERT_NE(keys, nullptr) << picture;
        EXPECT_EQ(keys->size(), QSize(1100, 330)) << picture;
    }
    EXPECT_TRUE(LedKeys()->IsSelectMode() || LedKeys()->IsDisabled());
    EXPECT_EQ(Find<SOUI::SStatic>("statever")->GetWindowText(), "Connected");

    for (const char* name : {"btn_kb_reset_led", "btn_kb_reset_led_custom", "btn_kb_reset_macro",
                             "btn_set_key_mask", "btn_set_other_mask"}) {
        EXPECT_EQ(host->GetRoot()->FindChildByName(name), nullptr) << name;
        // A layout that still carries one gets it taken without effect.
        SOUI::SButton stray;
        stray.SetName(name);
        SOUI::EventCmd command(&stray);
        ForgetReports();
        EXPECT_TRUE(host->ui.OnEvent(&command)) << name;
        Settle();
        EXPECT_TRUE(backend->Log().empty()) << name;
    }
}

TEST_F(KeyboardUiKeys, TheSameNumberOfProfilesDoesNotRebuildTheList) {
    Start();
    SOUI::SComboBox* profiles = Find<SOUI::SComboBox>("kb_cmb_profile");
    ASSERT_EQ(profiles->GetCurSel(), 0);
    // The keyboard's own switch comes back as a change of the current profile only.
    shapes::Profiles other{shapes::kProfilesName};
    Settle();
    other.select(2, shapes::kAlreadyApplied, false, false);
    Settle();
    EXPECT_EQ(profiles->GetCurSel(), 0);
    EXPECT_EQ(profiles->GetCount(), Keyboard().Shape().profiles);
}

// Saves the main window in several lighting modes and both languages into the folder named
// by KEYLUME_SCREENSHOTS, for a person to look at.
class KeyboardUiScreenshots : public PanelTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(KeyboardUiScreenshots, SavesTheMainWindow) {
    const char* folder = std::getenv("KEYLUME_SCREENSHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "KEYLUME_SCREENSHOTS names no folder";
    const QString language = QString::fromUtf8(GetParam());
    UseLanguage(GetParam());
    Start();
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(folder)));
    auto save = [&](const QString& name) {
        const QString file =
            QStringLiteral("%1/%2_%3.png").arg(QString::fromUtf8(folder), name, language.mid(5));
        EXPECT_TRUE(host->GetFrame()->grab().save(file)) << file.toStdString();
    };
    struct Shot {
        const char* name;
        int mode;
    };
    for (Shot shot :
         {Shot{"per_key", 8}, Shot{"rotation", 6}, Shot{"flags_0", 13}, Shot{"rain", 3}}) {
        if (shot.mode == 8) {
            const std::vector<CoordButtonInfo>& keys = LedKeys()->Items();
            Choose("cmb_mainled_light_mode_normal", shot.mode);
            host->ui.OnLedSelection({keys[17], keys[18], keys[19], keys[20]});
            Settle();
            host->ui.OnForegroundColour(0xFF00A0FF);
            Settle();
        } else {
            Choose("cmb_mainled_light_mode_normal", shot.mode);
        }
        save(QString::fromUtf8(shot.name));
    }
    auto* tabs = Find<SOUI::STabCtrl>("tab_main");
    ASSERT_NE(tabs, nullptr);
    tabs->SetCurSel(1);
    Settle();
    save(QStringLiteral("keys"));
}

INSTANTIATE_TEST_SUITE_P(Languages, KeyboardUiScreenshots, ::testing::Values("lang_en", "lang_cn"));

}  // namespace
}  // namespace paneltest
