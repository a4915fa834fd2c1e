#pragma once

#include <QColor>
#include <QImage>

#include "Glyphs.h"

// Button-like strips follow the toolkit's state order: normal, hover, pushed,
// disabled (then the same four again while checked, for 8-state strips).

// A line icon on a square button.
QImage IconButton(Glyph glyph, int size);
// The record box icon: 8 states, the last four while recording.
QImage RecordIcon(int size);
// A title-bar button; the close button turns red under the mouse.
QImage TitleButton(Glyph glyph, bool danger);
// A text button's face; `primary` fills it with the accent colour.
QImage ButtonFace(bool primary);
// An edit or combo box face: normal, hover, focused, disabled.
QImage FieldFace();
QImage ComboArrow();

// Check box for "checkex": normal, hover, pushed, checked.
QImage CheckBoxEx();
// Check box for the plain check box: the 8 toolkit states.
QImage CheckBox8();
// Radio for "radioex": normal, hover, checked, disabled.
QImage RadioEx();
// Radio for the plain radio: the 8 toolkit states.
QImage Radio8();
// A colour swatch for "radioex" (normal, hover, checked, disabled); an invalid
// colour draws the automatic choice.
QImage Swatch(const QColor& colour);

QImage SliderGroove();
QImage SliderFill();
QImage SliderThumb();

// Tab item face: normal, hover, selected.
QImage TabItem();
// One icon per tab page: lighting, key assignment, macros.
QImage TabIcons();
