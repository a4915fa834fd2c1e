#include "StateStrip.h"

QImage MakeStrip(QSize cell, int states, const StatePainter& paint) {
    QImage strip(cell.width() * states, cell.height(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int s = 0; s < states; ++s) {
        p.save();
        p.translate(s * cell.width(), 0);
        p.setClipRect(QRect(QPoint(0, 0), cell));
        paint(p, QRect(QPoint(0, 0), cell), s);
        p.restore();
    }
    p.end();
    return strip.convertToFormat(QImage::Format_ARGB32);
}
