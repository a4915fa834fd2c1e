#include "KeyCapPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include "FontChoice.h"

namespace {

constexpr double OUTER_RADIUS = 5.0;
constexpr double TOP_RADIUS = 4.0;

// Single characters read best large; words must fit the narrow caps.
int legendPixelSize(const QString& legend) {
    if (legend.size() <= 1) return 14;
    if (legend.size() <= 3) return 11;
    return 10;
}

}  // namespace

QPainterPath KeyCapOutline(const QRect& rect) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), OUTER_RADIUS, OUTER_RADIUS);
    return path;
}

void PaintKeyCap(QPainter& painter, const QRect& rect, const QString& legend, const CapLook& look,
                 double legendScale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);

    painter.fillPath(KeyCapOutline(rect), look.skirt);

    // The top surface sits higher than the skirt's centre: more rim shows below.
    const QRectF top = outer.adjusted(3, 2, -3, -5);
    QLinearGradient shade(top.topLeft(), top.bottomLeft());
    shade.setColorAt(0, look.top);
    shade.setColorAt(1, look.top.darker(112));
    painter.setBrush(shade);
    painter.drawRoundedRect(top, TOP_RADIUS, TOP_RADIUS);

    // A thin highlight along the top edge gives the bevel.
    painter.setPen(QPen(look.top.lighter(125), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(top.left() + TOP_RADIUS, top.top() + 0.5),
                     QPointF(top.right() - TOP_RADIUS, top.top() + 0.5));

    if (look.outline.isValid()) {
        painter.setPen(QPen(look.outline, 1.5));
        painter.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), OUTER_RADIUS, OUTER_RADIUS);
    }

    if (!legend.isEmpty()) {
        QFont font = LegendFont(legendPixelSize(legend) * legendScale, look.boldLegend);
        painter.setFont(font);
        painter.setPen(look.legend);
        painter.drawText(top, Qt::AlignCenter, legend);
    }
    painter.restore();
}
