#include "ui/Theme.h"

#include <QApplication>
#include <QStyleFactory>

#include "ui/Application.h"
#include "ui/Painting.h"

namespace SOUI {
namespace {

void ReadColor(const SApplication& app, const char* name, QColor* out) {
    std::uint32_t rgba = 0;
    if (app.GetColor(QString::fromLatin1(name), &rgba)) *out = ColorFromRgba(rgba);
}

QString Css(const QColor& c) {
    return c.alpha() == 255 ? c.name(QColor::HexRgb)
                            : QString("rgba(%1,%2,%3,%4)")
                                  .arg(c.red())
                                  .arg(c.green())
                                  .arg(c.blue())
                                  .arg(c.alpha());
}

// %1 window, %2 panel, %3 panel hover, %4 panel pushed, %5 border, %6 text,
// %7 muted text, %8 disabled text, %9 accent, %10 accent dark.
constexpr const char* kStyleSheet = R"(
QComboBox, QLineEdit {
  background: %4; border: 1px solid %5; border-radius: 3px; padding: 2px 6px;
  selection-background-color: %9; selection-color: #ffffff; min-height: 18px;
}
QComboBox:hover, QLineEdit:hover { border-color: %7; }
QComboBox:focus, QLineEdit:focus, QComboBox:on { border-color: %9; }
QComboBox:disabled, QLineEdit:disabled { color: %8; border-color: %3; }
QComboBox QAbstractItemView {
  background: %2; border: 1px solid %5; outline: 0;
  selection-background-color: %9; selection-color: #ffffff;
}
QAbstractItemView {
  background: %2; alternate-background-color: %1; border: 1px solid %5;
  selection-background-color: %9; selection-color: #ffffff; outline: 0;
}
QAbstractItemView::item:hover { background: %3; }
QAbstractItemView::item:selected { background: %9; color: #ffffff; }
QHeaderView { background: %2; border: none; }
QHeaderView::section {
  background: %2; color: %7; border: none; border-right: 1px solid %5;
  border-bottom: 1px solid %5; padding: 3px 6px;
}
QHeaderView::section:hover { background: %3; color: %6; }
QScrollBar:vertical { background: %1; width: 10px; margin: 0; border: none; }
QScrollBar:horizontal { background: %1; height: 10px; margin: 0; border: none; }
QScrollBar::handle { background: %5; border-radius: 4px; margin: 1px; }
QScrollBar::handle:vertical { min-height: 24px; }
QScrollBar::handle:horizontal { min-width: 24px; }
QScrollBar::handle:hover { background: %7; }
QScrollBar::handle:pressed { background: %9; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QSlider::groove:horizontal { height: 4px; background: %5; border-radius: 2px; }
QSlider::groove:vertical { width: 4px; background: %5; border-radius: 2px; }
QSlider::sub-page:horizontal { background: %9; border-radius: 2px; }
QSlider::add-page:vertical { background: %9; border-radius: 2px; }
QSlider::handle:horizontal {
  background: %6; border: 2px solid %9; width: 10px; margin: -6px 0; border-radius: 7px;
}
QSlider::handle:vertical {
  background: %6; border: 2px solid %9; height: 10px; margin: 0 -6px; border-radius: 7px;
}
QSlider::handle:hover { background: #ffffff; }
QSlider:focus { border: 1px solid %9; border-radius: 3px; }
QSlider::handle:pressed { border-color: %10; }
QSlider::handle:disabled { background: %8; border-color: %5; }
QSlider::sub-page:disabled, QSlider::add-page:disabled { background: %5; }
QCheckBox::indicator, QRadioButton::indicator {
  width: 14px; height: 14px; background: %4; border: 1px solid %5;
}
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 8px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: %9; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked {
  background: %9; border-color: %9;
}
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled { border-color: %3; }
QCheckBox:disabled, QRadioButton:disabled { color: %8; }
QPushButton {
  background: %2; border: 1px solid %5; border-radius: 3px; padding: 4px 14px;
  min-width: 56px;
}
QPushButton:hover { background: %3; }
QPushButton:pressed { background: %4; }
QPushButton:focus, QPushButton:default { border-color: %9; }
QPushButton:disabled { color: %8; }
QTabBar::tab {
  background: %2; color: %7; border: 1px solid %5; border-bottom: 2px solid %5;
  padding: 6px 16px; margin-right: 2px;
}
QTabBar::tab:hover { background: %3; color: %6; }
QTabBar::tab:selected { background: %1; color: %6; border-bottom: 2px solid %9; }
QToolTip { background: %2; color: %6; border: 1px solid %5; padding: 3px; }
QMenu { background: %2; border: 1px solid %5; padding: 3px 0; }
QMenu::item { padding: 5px 24px 5px 20px; background: transparent; }
QMenu::item:selected { background: %9; color: #ffffff; }
QMenu::item:disabled { color: %8; }
QMenu::separator { height: 1px; background: %5; margin: 3px 6px; }
QMenu::indicator { width: 12px; height: 12px; left: 4px; }
QMenu::indicator:checked { background: %9; border-radius: 2px; }
)";

}  // namespace

SThemeColors ThemeColorsOf(const SApplication& app) {
    SThemeColors c;
    ReadColor(app, "window", &c.window);
    ReadColor(app, "panel", &c.panel);
    ReadColor(app, "panel_hover", &c.panelHover);
    ReadColor(app, "panel_pushed", &c.panelPushed);
    ReadColor(app, "border", &c.border);
    ReadColor(app, "text", &c.text);
    ReadColor(app, "text_muted", &c.textMuted);
    ReadColor(app, "text_disabled", &c.textDisabled);
    ReadColor(app, "accent", &c.accent);
    ReadColor(app, "accent_dark", &c.accentDark);
    return c;
}

QPalette ThemePalette(const SThemeColors& c) {
    QPalette p;
    p.setColor(QPalette::Window, c.window);
    p.setColor(QPalette::WindowText, c.text);
    p.setColor(QPalette::Base, c.panelPushed);
    p.setColor(QPalette::AlternateBase, c.panel);
    p.setColor(QPalette::ToolTipBase, c.panel);
    p.setColor(QPalette::ToolTipText, c.text);
    p.setColor(QPalette::PlaceholderText, c.textMuted);
    p.setColor(QPalette::Text, c.text);
    p.setColor(QPalette::Button, c.panel);
    p.setColor(QPalette::ButtonText, c.text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, c.panelHover);
    p.setColor(QPalette::Midlight, c.panelHover);
    p.setColor(QPalette::Mid, c.border);
    p.setColor(QPalette::Dark, c.panelPushed);
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, c.accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, c.accent);
    p.setColor(QPalette::LinkVisited, c.accentDark);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c.textDisabled);
    p.setColor(QPalette::Disabled, QPalette::Highlight, c.border);
    return p;
}

QString ThemeStyleSheet(const SThemeColors& c) {
    return QString::fromLatin1(kStyleSheet)
        .arg(Css(c.window), Css(c.panel), Css(c.panelHover), Css(c.panelPushed), Css(c.border),
             Css(c.text), Css(c.textMuted), Css(c.textDisabled), Css(c.accent))
        .arg(Css(c.accentDark));
}

void ApplyTheme(const SThemeColors& colors) {
    // Fusion follows the palette on every platform; native styles may ignore it.
    if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
    QApplication::setPalette(ThemePalette(colors));
    qApp->setStyleSheet(ThemeStyleSheet(colors));
}

}  // namespace SOUI
