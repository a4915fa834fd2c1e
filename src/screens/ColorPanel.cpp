#include "screens/ColorPanel.h"

#include <QString>

#include "ui/CheckControls.h"
#include "ui/InputControls.h"
#include "ui/SWindow.h"
#include "widgets/SSImage.h"

using namespace SOUI;

namespace {

constexpr std::array<std::uint32_t, ColorPanel::kSwatchCount> kSwatchColors{
    0x00000000,  // automatic
    0xFF000000,  // black
    0xFF0000FF,  // red
    0xFF00FF00,  // green
    0xFFFF0000,  // blue
    0xFF00FFFF,  // yellow
    0xFFFF00FF,  // magenta
    0xFFFFFF00,  // cyan
    0xFFFFFFFF,  // white
};

QString SwatchName(int position) {
    return position == 0 ? QStringLiteral("radio_color_panel_auto")
                         : QStringLiteral("radio_color_panel_defcol%1").arg(position - 1);
}

}  // namespace

std::uint32_t ColorPanel::SwatchColor(int position) {
    return position >= 0 && position < kSwatchCount ? kSwatchColors[position] : 0;
}

void ColorPanel::Init(SWindow* container, HWND hwnd) {
    m_hwnd = hwnd;
    if (!container) return;
    m_pad = container->FindChildByName2<SSImage>("color_panel_pad");
    if (m_pad) m_pad->SetFuncProxy(new SSImage::FuncProxy<ColorPanel>(this, &ColorPanel::OnPick));
    m_preview = container->FindChildByName2<SWindow>("color_panel_preview");
    m_red = container->FindChildByName2<SEdit>("color_panel_r");
    m_green = container->FindChildByName2<SEdit>("color_panel_g");
    m_blue = container->FindChildByName2<SEdit>("color_panel_b");
    m_auto = container->FindChildByName2<SRadioBox>("radio_color_panel_auto");
    for (int i = 0; i < kSwatchCount; ++i) {
        m_swatches[i] = container->FindChildByName2<SRadioBox>(SwatchName(i));
        if (m_swatches[i])
            m_swatches[i]->Subscribe<EventCmd>([this](EventCmd* e) { return OnSwatch(e); });
    }
}

bool ColorPanel::OnSwatch(EventCmd* e) {
    // Every click applies, the framed swatch too: the keys selected since may lack its colour.
    const int position = (e->sender ? e->sender->GetID() : e->idFrom) - kFirstSwatchId;
    if (position >= 0 && position < kSwatchCount) ShowColor(SwatchColor(position));
    return true;
}

void ColorPanel::OnPick(LPARAM, int, int, const std::uint32_t* pixel) {
    const std::uint32_t p = pixel ? *pixel : 0;
    // The picture's bytes are blue, green, red: exchange red and blue for the red-low order.
    const std::uint32_t rgba = (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
    ShowColor(rgba);
}

void ColorPanel::ShowColor(std::uint32_t rgba) {
    ShowValues(rgba);
    if (m_listener) m_listener->OnColor(rgba);
}

void ColorPanel::Display(std::uint32_t rgba) {
    // The keyboard's colours have no alpha; the preview needs an opaque one.
    ShowValues(rgba == 0 ? 0 : rgba | 0xFF000000u);
}

void ColorPanel::ShowValues(std::uint32_t rgba) {
    // The frame marks the swatch of the colour shown, none for another colour.
    for (int i = 0; i < kSwatchCount; ++i)
        if (m_swatches[i] && m_swatches[i]->IsChecked() != (kSwatchColors[i] == rgba))
            m_swatches[i]->SetCheck(kSwatchColors[i] == rgba);
    if (m_preview) {
        m_preview->SetBkgndColor(rgba);
        m_preview->Invalidate();
    }
    if (m_red) m_red->SetWindowText(QString::number(rgba & 0xFF));
    if (m_green) m_green->SetWindowText(QString::number((rgba >> 8) & 0xFF));
    if (m_blue) m_blue->SetWindowText(QString::number((rgba >> 16) & 0xFF));
}
