#pragma once
// The dark look of Qt's standard controls (combo boxes and their lists, edits, sliders,
// check and radio boxes, lists, headers, scroll bars, tab headers, tooltips, menus and
// message box buttons), built from the colour table so every layout gets it.
#include <QColor>
#include <QPalette>
#include <QString>

namespace SOUI {

class SApplication;

struct SThemeColors {
    QColor window{0x1c, 0x1f, 0x25};
    QColor panel{0x23, 0x27, 0x2e};
    QColor panelHover{0x2d, 0x32, 0x3b};
    QColor panelPushed{0x19, 0x1c, 0x21};
    QColor border{0x3a, 0x3f, 0x49};
    QColor text{0xd4, 0xd8, 0xdf};
    QColor textMuted{0x8b, 0x92, 0x9e};
    QColor textDisabled{0x4e, 0x53, 0x5c};
    QColor accent{0x3f, 0xa7, 0xff};
    QColor accentDark{0x2a, 0x7f, 0xd0};
};

// The colours of the application's colour table ("window", "panel", "panel_hover",
// "panel_pushed", "border", "text", "text_muted", "text_disabled", "accent",
// "accent_dark"); a name missing from the table keeps the built-in dark value.
SThemeColors ThemeColorsOf(const SApplication& app);
QPalette ThemePalette(const SThemeColors& colors);
// Selectors name Qt's control classes only, so widgets that paint themselves and
// per-widget style sheets keep their look; text colours come from the palette so a
// layout's colorText still wins.
QString ThemeStyleSheet(const SThemeColors& colors);
// Installs the palette and style sheet on the running QApplication.
void ApplyTheme(const SThemeColors& colors);

}  // namespace SOUI
