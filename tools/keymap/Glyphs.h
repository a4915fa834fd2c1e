#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// Line icons drawn on a 24 by 24 design grid and scaled into any square.
enum class Glyph {
    Minimise,
    Maximise,
    Restore,
    Close,
    More,
    Check,
    Cancel,
    Add,
    Delete,
    Up,
    Down,
    Record,
    Clear,
    Import,
    Export,
    Capture,
    ComboArrow,
    Keyboard,
    Lighting,
    Macro,
};

void DrawGlyph(QPainter& painter, const QRectF& square, Glyph glyph, const QColor& colour);
