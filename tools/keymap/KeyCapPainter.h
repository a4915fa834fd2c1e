#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>

// How one cap looks in one picture state.
struct CapLook {
    QColor top;    // the cap's top surface (upper edge of its gradient)
    QColor skirt;  // the lower, darker rim
    QColor legend;
    QColor outline;  // invalid: no outline
    bool boldLegend = false;
};

// The cap's outer shape inside rect.
QPainterPath KeyCapOutline(const QRect& rect);

// Paints a rounded key cap with a bevel and its centred legend into rect.
void PaintKeyCap(QPainter& painter, const QRect& rect, const QString& legend, const CapLook& look,
                 double legendScale = 1.0);
