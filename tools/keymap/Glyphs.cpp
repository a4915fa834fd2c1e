#include "Glyphs.h"

#include <QPainterPath>

namespace {

using Path = QPainterPath;

Path polyline(std::initializer_list<QPointF> points) {
    Path path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    return path;
}

void stroke(QPainter& p, const Path& path, const QColor& c, double width = 2.0) {
    p.strokePath(path, QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void fill(QPainter& p, const Path& path, const QColor& c) {
    p.fillPath(path, c);
}

Path rect(double x, double y, double w, double h, double r = 1.5) {
    Path path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

Path circle(double cx, double cy, double r) {
    Path path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

void arrowTray(QPainter& p, const QColor& c, bool inward) {
    stroke(p, polyline({{4, 14}, {4, 19}, {20, 19}, {20, 14}}), c);
    stroke(p, polyline({{12, 4}, {12, 14}}), c);
    if (inward)
        stroke(p, polyline({{8, 10}, {12, 14}, {16, 10}}), c);
    else
        stroke(p, polyline({{8, 8}, {12, 4}, {16, 8}}), c);
}

void drawOnGrid(QPainter& p, Glyph glyph, const QColor& c) {
    switch (glyph) {
        case Glyph::Minimise:
            stroke(p, polyline({{6, 12.5}, {18, 12.5}}), c, 1.6);
            break;
        case Glyph::Maximise:
            stroke(p, rect(6.5, 6.5, 11, 11, 1), c, 1.6);
            break;
        case Glyph::Restore:
            stroke(p, polyline({{9, 7}, {9, 6}, {18, 6}, {18, 15}, {17, 15}}), c, 1.4);
            stroke(p, rect(6, 9, 9, 9, 1), c, 1.6);
            break;
        case Glyph::Close:
            stroke(p, polyline({{7, 7}, {17, 17}}), c, 1.6);
            stroke(p, polyline({{17, 7}, {7, 17}}), c, 1.6);
            break;
        case Glyph::More:
            for (double y : {7.0, 12.0, 17.0}) stroke(p, polyline({{6, y}, {18, y}}), c, 1.6);
            break;
        case Glyph::Check:
            stroke(p, polyline({{5, 12.5}, {10, 17.5}, {19, 7}}), c, 2.4);
            break;
        case Glyph::Cancel:
            stroke(p, polyline({{6.5, 6.5}, {17.5, 17.5}}), c, 2.4);
            stroke(p, polyline({{17.5, 6.5}, {6.5, 17.5}}), c, 2.4);
            break;
        case Glyph::Add:
            stroke(p, polyline({{12, 5}, {12, 19}}), c, 2.4);
            stroke(p, polyline({{5, 12}, {19, 12}}), c, 2.4);
            break;
        case Glyph::Delete:
            stroke(p, polyline({{4.5, 7}, {19.5, 7}}), c);
            stroke(p, polyline({{9.5, 7}, {9.5, 4.5}, {14.5, 4.5}, {14.5, 7}}), c, 1.6);
            stroke(p, polyline({{6.5, 7}, {7.5, 19.5}, {16.5, 19.5}, {17.5, 7}}), c);
            stroke(p, polyline({{10.3, 10.5}, {10.3, 16.5}}), c, 1.4);
            stroke(p, polyline({{13.7, 10.5}, {13.7, 16.5}}), c, 1.4);
            break;
        case Glyph::Up:
            stroke(p, polyline({{12, 19}, {12, 5.5}}), c, 2.2);
            stroke(p, polyline({{6, 11}, {12, 5}, {18, 11}}), c, 2.2);
            break;
        case Glyph::Down:
            stroke(p, polyline({{12, 5}, {12, 18.5}}), c, 2.2);
            stroke(p, polyline({{6, 13}, {12, 19}, {18, 13}}), c, 2.2);
            break;
        case Glyph::Record:
            fill(p, circle(12, 12, 6.5), c);
            break;
        case Glyph::Clear:
            // An eraser leaning on a base line.
            stroke(p, polyline({{4, 19.5}, {20, 19.5}}), c, 1.6);
            {
                Path eraser = polyline({{13.5, 4.5},
                                        {19.5, 10.5},
                                        {11.5, 18.5},
                                        {7.5, 18.5},
                                        {4.5, 15.5},
                                        {13.5, 4.5}});
                stroke(p, eraser, c, 1.8);
                stroke(p, polyline({{9, 9.5}, {15, 15.5}}), c, 1.6);
            }
            break;
        case Glyph::Import:
            arrowTray(p, c, true);
            break;
        case Glyph::Export:
            arrowTray(p, c, false);
            break;
        case Glyph::Capture:
            stroke(p, circle(12, 12, 6.5), c, 1.8);
            fill(p, circle(12, 12, 2.2), c);
            for (auto [a, b] : {std::pair{QPointF(12, 2.5), QPointF(12, 6)},
                                {QPointF(12, 18), QPointF(12, 21.5)},
                                {QPointF(2.5, 12), QPointF(6, 12)},
                                {QPointF(18, 12), QPointF(21.5, 12)}})
                stroke(p, polyline({a, b}), c, 1.8);
            break;
        case Glyph::ComboArrow:
            stroke(p, polyline({{7, 10}, {12, 15}, {17, 10}}), c, 2.0);
            break;
        case Glyph::Keyboard:
            stroke(p, rect(3, 6.5, 18, 11, 2), c, 1.6);
            for (double x : {6.5, 9.5, 12.5, 15.5}) fill(p, rect(x - 0.9, 9, 1.8, 1.8, 0.4), c);
            for (double x : {8.0, 11.0, 14.0, 17.5}) fill(p, rect(x - 0.9, 11.6, 1.8, 1.8, 0.4), c);
            stroke(p, polyline({{8, 15}, {16, 15}}), c, 1.6);
            break;
        case Glyph::Lighting:
            // Three overlapping light circles, one per primary.
            stroke(p, circle(12, 8.5, 4.8), c, 1.6);
            stroke(p, circle(8.5, 14.5, 4.8), c, 1.6);
            stroke(p, circle(15.5, 14.5, 4.8), c, 1.6);
            break;
        case Glyph::Macro:
            fill(p, circle(6, 7, 1.6), c);
            fill(p, circle(6, 12, 1.6), c);
            stroke(p, polyline({{10, 7}, {19, 7}}), c, 1.8);
            stroke(p, polyline({{10, 12}, {19, 12}}), c, 1.8);
            fill(p, polyline({{5, 15}, {5, 21}, {10, 18}, {5, 15}}), c);
            stroke(p, polyline({{13, 18}, {19, 18}}), c, 1.8);
            break;
    }
}

}  // namespace

void DrawGlyph(QPainter& painter, const QRectF& square, Glyph glyph, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(square.topLeft());
    painter.scale(square.width() / 24.0, square.height() / 24.0);
    drawOnGrid(painter, glyph, colour);
    painter.restore();
}
