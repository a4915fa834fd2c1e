// The lighting page: modes, profiles, colour sets, sliders, directions, colours and painting
// keys; each acts only on what a user could reach at that moment.
#include "SoakAction.h"
#include "UserInput.h"
#include "screens/KeyboardUiNames.h"
#include "ui/CheckControls.h"
#include "ui/InputControls.h"
#include "ui/TabCtrl.h"
#include "widgets/SSImage.h"

namespace {

using soak::RandomBelow;

const char* const kColourBoxes[] = {kb::kForegroundBox, kb::kBackgroundBox};
const char* const kSwatches[] = {
    "radio_color_panel_auto",    "radio_color_panel_defcol0", "radio_color_panel_defcol1",
    "radio_color_panel_defcol2", "radio_color_panel_defcol3", "radio_color_panel_defcol4",
    "radio_color_panel_defcol5", "radio_color_panel_defcol6", "radio_color_panel_defcol7"};

class LightingPage {
public:
    LightingPage(SoakRig& rig, std::mt19937& random) : rig_(rig), random_(random) {}

    void ChooseIn(const char* name) {
        Show();
        auto* combo = rig_.Find<SOUI::SComboBox>(name);
        if (!Reachable(combo) || combo->GetCount() == 0) return;
        soak::Choose(combo, RandomBelow(random_, combo->GetCount()));
    }

    void SlideOne() {
        static const char* const sliders[] = {kb::kSpeed, kb::kFgBrightness, kb::kBgBrightness};
        Show();
        auto* slider = rig_.Find<SOUI::SSliderBar>(sliders[RandomBelow(random_, 3)]);
        if (!Reachable(slider)) return;
        QSlider* control = slider->Slider();
        const int span = control->maximum() - control->minimum() + 1;
        soak::Slide(slider, control->minimum() + RandomBelow(random_, span));
    }

    void PressDirection() {
        Show();
        auto* radio = rig_.Window().FindChildByID2<SOUI::SWindow>(kb::kFirstDirectionId +
                                                                  RandomBelow(random_, 4));
        if (Reachable(radio)) soak::Press(radio);
    }

    void PickSwatch() {
        Show();
        SOUI::SWindow* box = rig_.Find<SOUI::SWindow>(kColourBoxes[RandomBelow(random_, 2)]);
        if (!Reachable(box)) return;
        SOUI::SWindow* radio = box->FindChildByName(kSwatches[RandomBelow(random_, 9)]);
        if (Reachable(radio)) soak::Press(radio);
    }

    void PickSpectrum() {
        Show();
        SOUI::SWindow* box = rig_.Find<SOUI::SWindow>(kColourBoxes[RandomBelow(random_, 2)]);
        if (!Reachable(box)) return;
        auto* pad = box->FindChildByName2<SOUI::SSImage>(QStringLiteral("color_panel_pad"));
        if (!Reachable(pad) || pad->width() <= 0 || pad->height() <= 0) return;
        soak::ClickAt(
            pad, QPoint(RandomBelow(random_, pad->width()), RandomBelow(random_, pad->height())));
    }

    // Selects keys by a click or a drag, then gives them a colour of the foreground panel.
    void PaintKeys() {
        Show();
        auto* picture = rig_.Find<SOUI::CoordButtonImage>(kb::kLedKeys);
        if (!Reachable(picture) || picture->Items().empty()) return;
        const int keys = static_cast<int>(picture->Items().size());
        const int from = RandomBelow(random_, keys);
        const int to = RandomBelow(random_, 4) == 0 ? from : RandomBelow(random_, keys);
        soak::MouseOnKey(rig_.App(), *picture, SOUI::WM_LBUTTONDOWN, from);
        soak::MouseOnKey(rig_.App(), *picture, SOUI::WM_MOUSEMOVE, to);
        soak::MouseOnKey(rig_.App(), *picture, SOUI::WM_LBUTTONUP, to);
        SoakRig::Settle();
        SOUI::SWindow* box = rig_.Find<SOUI::SWindow>(kb::kForegroundBox);
        if (!Reachable(box)) return;
        SOUI::SWindow* radio = box->FindChildByName(kSwatches[1 + RandomBelow(random_, 8)]);
        if (Reachable(radio)) soak::Press(radio);
    }

private:
    // The lighting controls are on the first page of the main window.
    void Show() {
        auto* tabs = rig_.Find<SOUI::STabCtrl>("tab_main");
        if (tabs && tabs->GetCurSel() != 0) {
            tabs->SetCurSel(0);
            SoakRig::Settle();
        }
    }
    bool Reachable(SOUI::SWindow* widget) { return soak::Reachable(rig_.Window(), widget); }

    SoakRig& rig_;
    std::mt19937& random_;
};

}  // namespace

std::vector<SoakAction> PanelActions(SoakRig& rig, std::mt19937& random) {
    auto page = std::make_shared<LightingPage>(rig, random);
    return {
        {"mode", 12, [page] { page->ChooseIn(kb::kModes); }},
        {"profile", 5, [page] { page->ChooseIn(kb::kProfiles); }},
        {"colour set", 5, [page] { page->ChooseIn(kb::kColourSet); }},
        {"slider", 15, [page] { page->SlideOne(); }},
        {"direction", 6, [page] { page->PressDirection(); }},
        {"swatch", 10, [page] { page->PickSwatch(); }},
        {"spectrum", 6, [page] { page->PickSpectrum(); }},
        {"paint keys", 12, [page] { page->PaintKeys(); }},
    };
}
