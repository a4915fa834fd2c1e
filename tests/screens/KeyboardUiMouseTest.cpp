// The two key pictures driven with synthetic mouse input, as a user paints keys and opens the
// macro editor.
#include "screens/MacroRecordDlg.h"
#include "support/MacroTestSupport.h"
#include "support/PanelTestSupport.h"
#include "support/UserInput.h"

namespace paneltest {
namespace {

constexpr int kCustom = 8;  // the mode with per-key colours

class KeyboardUiMouse : public PanelTest {
protected:
    std::vector<int> SelectedKeys() const {
        std::vector<int> selected;
        for (const CoordButtonInfo& k : LedKeys()->Items())
            if (k.selected) selected.push_back(k.index);
        return selected;
    }
    // The colour a report gives a key, without the fourth byte the keyboard keeps.
    static std::uint32_t SentColour(const FeaturePacket& report, int key) {
        const std::uint8_t* p = report.data + 4 * key;
        return p[0] << 16 | p[1] << 8 | p[2];
    }
};

TEST_F(KeyboardUiMouse, ClickedKeysTakeThePickedColour) {
    Start();
    ShowPage(0);
    Choose("cmb_mainled_light_mode_normal", kCustom);
    ASSERT_TRUE(LedKeys()->IsSelectMode());
    const std::vector<CoordButtonInfo>& keys = LedKeys()->Items();
    ClickKey(LedKeys(), 3);
    ClickKey(LedKeys(), 40);
    EXPECT_EQ(SelectedKeys(), (std::vector<int>{keys[3].index, keys[40].index}));
    // A second click on a key takes it out of the selection.
    ClickKey(LedKeys(), 40);
    EXPECT_EQ(SelectedKeys(), (std::vector<int>{keys[3].index}));
    ClickKey(LedKeys(), 40);

    ForgetReports();
    PickSwatch("win_color_panel_foreground", "radio_color_panel_defcol1");
    const std::vector<FeaturePacket> sent = SentReports(KeyColours);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(SentColour(sent[0], keys[3].index), 0xFF0000u);
    EXPECT_EQ(SentColour(sent[0], keys[40].index), 0xFF0000u);
    EXPECT_NE(SentColour(sent[0], keys[41].index), 0xFF0000u);
    EXPECT_EQ(Keyboard().Colours(Keyboard().SelectedColourSet())[keys[40].index].r, 255);
    EXPECT_NE(Keyboard().Colours(Keyboard().SelectedColourSet())[keys[41].index].r, 255);
}

TEST_F(KeyboardUiMouse, DraggingOverARowSelectsEveryKeyInTheBand) {
    Start();
    Choose("cmb_mainled_light_mode_normal", kCustom);
    // Keys 1 to 4 of the top row sit side by side; the band from the first to the last covers
    // each of them wholly only once the drag reaches past their far corner, so the drag goes
    // from the top left of key 1 to the bottom right of key 4.
    const std::vector<CoordButtonInfo>& keys = LedKeys()->Items();
    const CoordRect& first = keys[1].rect;
    const CoordRect& last = keys[4].rect;
    userinput::MouseAt(*app, *LedKeys(), SOUI::WM_LBUTTONDOWN, {first.left - 1, first.top - 1});
    userinput::MouseAt(*app, *LedKeys(), SOUI::WM_MOUSEMOVE, {last.right + 1, last.bottom + 1});
    userinput::MouseAt(*app, *LedKeys(), SOUI::WM_LBUTTONUP, {last.right + 1, last.bottom + 1});
    Settle();
    const std::vector<int> selected = SelectedKeys();
    for (int k = 1; k <= 4; ++k)
        EXPECT_NE(std::find(selected.begin(), selected.end(), keys[k].index), selected.end()) << k;
    EXPECT_EQ(std::find(selected.begin(), selected.end(), keys[5].index), selected.end());
}

TEST_F(KeyboardUiMouse, AKeyClickedOnTheKeysPageGetsTheRecordedMacroAndIsMarked) {
    Start();
    ShowPage(1);
    const int position = 30;
    ASSERT_EQ(MacroKeys()->Items()[position].checked, 0);
    int opened = 0;
    SOUI::ScopedModalAnswerer record([&](SOUI::SHostDialog& d) {
        ++opened;
        userinput::PressIn(d, "groupAdd");
        userinput::PressIn(d, "chk_macro_record");
        userinput::TypeIn(d, macrotest::KEY_A);
        userinput::PressIn(d, "btnOK");
    });
    ClickKey(MacroKeys(), position);
    EXPECT_EQ(opened, 1);
    const int index = MacroKeys()->Items()[position].index;
    EXPECT_EQ(Keyboard().KeyCodes()[static_cast<std::size_t>(index)].type(), 3);
    EXPECT_EQ(MacroKeys()->Items()[position].checked, 1);

    SOUI::ScopedModalAnswerer remove([&](SOUI::SHostDialog& d) {
        ++opened;
        userinput::PressIn(d, "btnDelete");
    });
    ClickKey(MacroKeys(), position);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(Keyboard().KeyCodes()[static_cast<std::size_t>(index)].code(), 0);
    EXPECT_EQ(MacroKeys()->Items()[position].checked, 0);
}

}  // namespace
}  // namespace paneltest
