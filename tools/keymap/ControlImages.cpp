#include "ControlImages.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>

#include "FontChoice.h"
#include "Palette.h"
#include "StateStrip.h"

namespace {

enum ButtonState { NORMAL, HOVER, PUSHED, DISABLED };

ButtonState buttonState(int state) {
    return static_cast<ButtonState>(state % 4);
}

QColor glyphColour(ButtonState s) {
    switch (s) {
        case HOVER:
            return Palette::TEXT;
        case PUSHED:
            return Palette::ACCENT;
        case DISABLED:
            return Palette::TEXT_DISABLED;
        case NORMAL:
            break;
    }
    return Palette::TEXT_MUTED;
}

void roundedFill(QPainter& p, const QRectF& r, double radius, const QColor& fill,
                 const QColor& border = QColor()) {
    p.setPen(border.isValid() ? QPen(border, 1.0) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// The hover and pushed backdrop shared by icon buttons.
void iconBackdrop(QPainter& p, const QRect& cell, ButtonState s) {
    if (s == HOVER) roundedFill(p, cell, 4, Palette::PANEL_HOVER);
    if (s == PUSHED) roundedFill(p, cell, 4, Palette::PANEL_PUSHED, Palette::BORDER);
}

QRectF inset(const QRect& cell, double by) {
    return QRectF(cell).adjusted(by, by, -by, -by);
}

// The box of a check box, empty or ticked.
void checkBox(QPainter& p, const QRect& cell, ButtonState s, bool checked) {
    const QRectF box = inset(cell, 1.5);
    if (checked) {
        const QColor fill = s == DISABLED ? Palette::BORDER
                            : s == HOVER  ? Palette::ACCENT_LIGHT
                            : s == PUSHED ? Palette::ACCENT_DARK
                                          : Palette::ACCENT;
        roundedFill(p, box, 3, fill);
        DrawGlyph(p, inset(cell, 2), Glyph::Check,
                  s == DISABLED ? Palette::TEXT_DISABLED : QColor(0x10, 0x14, 0x1a));
        return;
    }
    const QColor border = s == DISABLED ? Palette::PANEL_HOVER
                          : s == NORMAL ? Palette::TEXT_MUTED.darker(130)
                                        : Palette::ACCENT;
    const QColor fill = s == PUSHED ? Palette::PANEL_PUSHED : Palette::PANEL;
    p.setPen(QPen(border, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(box.adjusted(0.25, 0.25, -0.25, -0.25), 3, 3);
}

void radioDot(QPainter& p, const QRect& cell, ButtonState s, bool checked) {
    const QRectF ring = inset(cell, 1.75);
    const QColor border = s == DISABLED            ? Palette::PANEL_HOVER
                          : checked || s != NORMAL ? Palette::ACCENT
                                                   : Palette::TEXT_MUTED.darker(130);
    p.setPen(QPen(border, 1.5));
    p.setBrush(s == PUSHED ? Palette::PANEL_PUSHED : Palette::PANEL);
    p.drawEllipse(ring);
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(s == DISABLED ? Palette::TEXT_DISABLED : Palette::ACCENT);
        p.drawEllipse(ring.center(), ring.width() * 0.24, ring.width() * 0.24);
    }
}

void autoSwatch(QPainter& p, const QRectF& r) {
    QConicalGradient hues(r.center(), 90);
    for (int i = 0; i <= 6; ++i) hues.setColorAt(i / 6.0, QColor::fromHsvF((i % 6) / 6.0, 0.8, 1));
    p.setPen(Qt::NoPen);
    p.setBrush(hues);
    p.drawRoundedRect(r, 3, 3);
    p.setBrush(QColor(0x16, 0x18, 0x1d, 200));
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 2, 2);
    p.setPen(Qt::white);
    p.setFont(LegendFont(r.height() * 0.5, true));
    p.drawText(r, Qt::AlignCenter, "A");
}

}  // namespace

QImage IconButton(Glyph glyph, int size) {
    return MakeStrip({size, size}, 4, [glyph](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        iconBackdrop(p, cell, s);
        DrawGlyph(p, inset(cell, cell.width() / 12.0), glyph, glyphColour(s));
    });
}

QImage RecordIcon(int size) {
    return MakeStrip({size, size}, 8, [](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        const bool recording = state >= 4;
        iconBackdrop(p, cell, s);
        const QRectF ring = inset(cell, cell.width() * 0.17);
        const QColor red = s == DISABLED ? Palette::TEXT_DISABLED : Palette::RECORD;
        if (recording && s != DISABLED) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(red.red(), red.green(), red.blue(), 70));
            p.drawEllipse(ring.adjusted(-2, -2, 2, 2));
        }
        p.setPen(QPen(recording ? red : glyphColour(s), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ring);
        p.setPen(Qt::NoPen);
        p.setBrush(recording || s == HOVER ? red : red.darker(140));
        const double dot = ring.width() * (recording ? 0.30 : 0.24);
        p.drawEllipse(ring.center(), dot, dot);
    });
}

QImage TitleButton(Glyph glyph, bool danger) {
    return MakeStrip({36, 28}, 4, [glyph, danger](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        QColor glyphColour = s == DISABLED ? Palette::TEXT_DISABLED : Palette::TEXT_MUTED;
        if (s == HOVER || s == PUSHED) {
            const QColor back = danger
                                    ? (s == HOVER ? Palette::DANGER : Palette::DANGER.darker(125))
                                    : (s == HOVER ? Palette::PANEL_HOVER : Palette::PANEL_PUSHED);
            p.fillRect(cell, back);
            glyphColour = danger ? QColor(Qt::white) : Palette::TEXT;
        }
        const QRectF square(cell.center().x() - 8 + 0.5, cell.center().y() - 8 + 0.5, 16, 16);
        DrawGlyph(p, square, glyph, glyphColour);
    });
}

QImage ButtonFace(bool primary) {
    return MakeStrip({96, 30}, 4, [primary](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        QColor fill = primary ? Palette::ACCENT_DARK : Palette::PANEL;
        QColor border = primary ? Palette::ACCENT : Palette::BORDER;
        if (s == HOVER) fill = primary ? Palette::ACCENT : Palette::PANEL_HOVER;
        if (s == HOVER && !primary) border = Palette::ACCENT;
        if (s == PUSHED) fill = primary ? Palette::ACCENT_DARK.darker(120) : Palette::PANEL_PUSHED;
        if (s == DISABLED) {
            fill = Palette::PANEL_PUSHED;
            border = Palette::PANEL_HOVER;
        }
        roundedFill(p, cell, 5, fill, border);
    });
}

QImage FieldFace() {
    return MakeStrip({160, 28}, 4, [](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        const QColor border = s == HOVER    ? Palette::TEXT_MUTED.darker(120)
                              : s == PUSHED ? Palette::ACCENT
                                            : Palette::BORDER;
        roundedFill(p, cell, 4,
                    s == DISABLED ? Palette::PANEL_PUSHED : Palette::PANEL_PUSHED.lighter(110),
                    s == DISABLED ? Palette::PANEL : border);
    });
}

QImage ComboArrow() {
    return MakeStrip({16, 16}, 4, [](QPainter& p, const QRect& cell, int state) {
        DrawGlyph(p, cell, Glyph::ComboArrow, glyphColour(buttonState(state)));
    });
}

QImage CheckBoxEx() {
    // The "checkex" box picks pushed, then hover, then its last state for checked.
    return MakeStrip({18, 18}, 4, [](QPainter& p, const QRect& cell, int state) {
        if (state == 3)
            checkBox(p, cell, NORMAL, true);
        else
            checkBox(p, cell, buttonState(state), false);
    });
}

QImage CheckBox8() {
    return MakeStrip({18, 18}, 8, [](QPainter& p, const QRect& cell, int state) {
        checkBox(p, cell, buttonState(state), state >= 4);
    });
}

QImage RadioEx() {
    return MakeStrip({18, 18}, 4, [](QPainter& p, const QRect& cell, int state) {
        switch (state) {
            case 1:
                radioDot(p, cell, HOVER, false);
                break;
            case 2:
                radioDot(p, cell, NORMAL, true);
                break;
            case 3:
                radioDot(p, cell, DISABLED, false);
                break;
            default:
                radioDot(p, cell, NORMAL, false);
                break;
        }
    });
}

QImage Radio8() {
    return MakeStrip({18, 18}, 8, [](QPainter& p, const QRect& cell, int state) {
        radioDot(p, cell, buttonState(state), state >= 4);
    });
}

QImage Swatch(const QColor& colour) {
    // radioex order: normal, hover, checked, disabled.
    return MakeStrip({24, 24}, 4, [colour](QPainter& p, const QRect& cell, int state) {
        const QRectF chip = inset(cell, 3.5);
        if (colour.isValid()) {
            p.setPen(QPen(QColor(0xff, 0xff, 0xff, 80), 1.0));
            p.setBrush(colour);
            p.drawRoundedRect(chip, 3, 3);
        } else {
            autoSwatch(p, chip);
        }
        p.setBrush(Qt::NoBrush);
        if (state == 1) {
            p.setPen(QPen(Palette::TEXT_MUTED, 1.5));
            p.drawRoundedRect(inset(cell, 1), 4.5, 4.5);
        } else if (state == 2) {
            p.setPen(QPen(Palette::ACCENT, 2.0));
            p.drawRoundedRect(inset(cell, 1), 4.5, 4.5);
        } else if (state == 3) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x1c, 0x1f, 0x25, 190));
            p.drawRoundedRect(chip.adjusted(-0.5, -0.5, 0.5, 0.5), 3, 3);
        }
    });
}

QImage SliderGroove() {
    return MakeStrip({200, 6}, 1, [](QPainter& p, const QRect& cell, int) {
        roundedFill(p, cell, 3, Palette::PANEL_PUSHED, Palette::BORDER);
    });
}

QImage SliderFill() {
    return MakeStrip({200, 6}, 1, [](QPainter& p, const QRect& cell, int) {
        QLinearGradient g(cell.topLeft(), cell.topRight());
        g.setColorAt(0, Palette::ACCENT_DARK);
        g.setColorAt(1, Palette::ACCENT);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(cell), 3, 3);
    });
}

QImage SliderThumb() {
    return MakeStrip({16, 16}, 4, [](QPainter& p, const QRect& cell, int state) {
        const ButtonState s = buttonState(state);
        const QRectF knob = inset(cell, s == HOVER ? 1.0 : 2.0);
        p.setPen(QPen(s == DISABLED ? Palette::BORDER : Palette::ACCENT, 2.0));
        p.setBrush(s == DISABLED ? Palette::PANEL
                   : s == PUSHED ? Palette::ACCENT_LIGHT
                                 : QColor(0xee, 0xf1, 0xf5));
        p.drawEllipse(knob.adjusted(1, 1, -1, -1));
    });
}

QImage TabItem() {
    return MakeStrip({150, 40}, 3, [](QPainter& p, const QRect& cell, int state) {
        if (state == 1) roundedFill(p, cell, 4, Palette::PANEL_HOVER);
        if (state == 2) {
            roundedFill(p, cell, 4, Palette::PANEL);
            p.setPen(Qt::NoPen);
            p.setBrush(Palette::ACCENT);
            p.drawRoundedRect(QRectF(cell.left() + 12, cell.bottom() - 2.5, cell.width() - 24, 3),
                              1.5, 1.5);
        }
    });
}

QImage TabIcons() {
    return MakeStrip({24, 24}, 3, [](QPainter& p, const QRect& cell, int state) {
        const Glyph glyphs[] = {Glyph::Lighting, Glyph::Keyboard, Glyph::Macro};
        DrawGlyph(p, cell, glyphs[state], Palette::TEXT);
    });
}
