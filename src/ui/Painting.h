#pragma once
// Drawing helpers for widgets that paint themselves. Colours are 32-bit values with red in
// bits 0-7, green 8-15, blue 16-23 and alpha 24-31.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <cstdint>

namespace SOUI {

QColor ColorFromRgba(std::uint32_t rgba);
std::uint32_t RgbaFromColor(const QColor& color);

// Pen styles as numbers: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
QPen MakePen(int style, std::uint32_t rgba, int width);

void FillSolidRect(QPainter& painter, const QRect& rect, std::uint32_t rgba);
void DrawRoundRect(QPainter& painter, const QRect& rect, const QPen& pen, QSize corner);
void DrawRectangle(QPainter& painter, const QRect& rect, const QPen& pen);

enum class CopyMode {
    Source,  // the copied pixels replace the destination
    Or,      // the copied pixels are OR-ed into the destination
};

// An off-screen surface of 4-byte pixels stored blue, green, red, alpha in memory.
class SOffscreen {
public:
    explicit SOffscreen(QSize size);

    QPainter& Begin();
    void End();
    QSize Size() const { return m_image.size(); }
    // The stored pixel, bytes in memory order blue, green, red, alpha; 0 outside.
    std::uint32_t GetPixel(int x, int y) const;
    const uchar* Bits() const { return m_image.constBits(); }
    qsizetype Pitch() const { return m_image.bytesPerLine(); }
    const QImage& Image() const { return m_image; }

    // Copies one rectangle of this surface to the same place on another painter.
    void CopyRectTo(QPainter& dst, const QRect& rect, QPoint dstOrigin,
                    CopyMode mode = CopyMode::Source) const;

private:
    QImage m_image;
    QPainter m_painter;
};

}  // namespace SOUI
