#include "widgets/SSImage.h"

#include <QMouseEvent>

#include "ui/Painting.h"
#include "ui/Skin.h"

namespace SOUI {

std::uint32_t SSImage::PixelAt(QPoint p) const {
    ISkinObj* skin = GetSkin();
    if (!skin) return 0;
    const QSize size = skin->GetSkinSize();
    if (p.x() < 0 || p.y() < 0 || p.x() >= size.width() || p.y() >= size.height()) return 0;
    SOffscreen surface(size);
    skin->Draw(surface.Begin(), QRect(QPoint(0, 0), size), 0);
    surface.End();
    const uchar* px = surface.Bits() + p.y() * surface.Pitch() + p.x() * 4;
    return static_cast<std::uint32_t>(px[0]) | static_cast<std::uint32_t>(px[1]) << 8 |
           static_cast<std::uint32_t>(px[2]) << 16 | static_cast<std::uint32_t>(px[3]) << 24;
}

void SSImage::OnLButtonDown(LPARAM lParam, QPoint hostPoint) {
    const std::uint32_t pixel = PixelAt(hostPoint - GetWindowRect().topLeft());
    if (m_proxy) m_proxy->OnPixel(lParam, hostPoint.x(), hostPoint.y(), &pixel);
}

void SSImage::OnPaint(QPainter& painter) {
    if (ISkinObj* skin = GetSkin()) skin->Draw(painter, rect(), 0);
}

void SSImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint host = GetWindowRect().topLeft() + event->position().toPoint();
        const LPARAM lParam =
            static_cast<LPARAM>((host.x() & 0xFFFF) | ((host.y() & 0xFFFF) << 16));
        OnLButtonDown(lParam, host);
    }
    SWindow::mousePressEvent(event);
}

}  // namespace SOUI
