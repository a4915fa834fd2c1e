#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

// Paints state `state` of a picture into `cell` (the cell's own coordinates
// start at its top left; the painter has antialiasing on).
using StatePainter = std::function<void(QPainter& painter, const QRect& cell, int state)>;

// States of `cell` size side by side on a transparent strip.
QImage MakeStrip(QSize cell, int states, const StatePainter& paint);
