#include "ui/Painting.h"

#include <cstring>

namespace SOUI {

QColor ColorFromRgba(std::uint32_t rgba) {
    return QColor(rgba & 0xFF, (rgba >> 8) & 0xFF, (rgba >> 16) & 0xFF, (rgba >> 24) & 0xFF);
}

std::uint32_t RgbaFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16) |
           (static_cast<std::uint32_t>(color.alpha()) << 24);
}

QPen MakePen(int style, std::uint32_t rgba, int width) {
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    const Qt::PenStyle qtStyle = (style >= 0 && style < 6) ? kStyles[style] : Qt::SolidLine;
    QPen pen(ColorFromRgba(rgba), width, qtStyle);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void FillSolidRect(QPainter& painter, const QRect& rect, std::uint32_t rgba) {
    painter.fillRect(rect, ColorFromRgba(rgba));
}

void DrawRoundRect(QPainter& painter, const QRect& rect, const QPen& pen, QSize corner) {
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect, corner.width(), corner.height());
    painter.restore();
}

void DrawRectangle(QPainter& painter, const QRect& rect, const QPen& pen) {
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

SOffscreen::SOffscreen(QSize size) : m_image(size, QImage::Format_ARGB32) {
    m_image.fill(Qt::transparent);
}

QPainter& SOffscreen::Begin() {
    if (!m_painter.isActive()) m_painter.begin(&m_image);
    return m_painter;
}

void SOffscreen::End() {
    if (m_painter.isActive()) m_painter.end();
}

std::uint32_t SOffscreen::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return 0;
    std::uint32_t value = 0;
    const uchar* row = m_image.constScanLine(y);
    std::memcpy(&value, row + static_cast<ptrdiff_t>(x) * 4, sizeof value);
    return value;
}

void SOffscreen::CopyRectTo(QPainter& dst, const QRect& rect, QPoint dstOrigin,
                            CopyMode mode) const {
    dst.save();
    dst.setCompositionMode(mode == CopyMode::Or ? QPainter::RasterOp_SourceOrDestination
                                                : QPainter::CompositionMode_SourceOver);
    dst.drawImage(rect.translated(dstOrigin), m_image, rect);
    dst.restore();
}

}  // namespace SOUI
