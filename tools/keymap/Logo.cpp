#include "Logo.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <vector>

#include "FontChoice.h"
#include "Palette.h"

namespace {

constexpr int DESIGN = 256;  // the logo is drawn on this grid and scaled down

// One horizontal then one vertical running-sum pass over premultiplied pixels.
void boxBlurPass(QImage& image, int radius) {
    const int w = image.width();
    const int h = image.height();
    std::vector<QRgb> line;
    auto blurLine = [&](auto pixelAt, int length) {
        line.assign(length, 0);
        for (int i = 0; i < length; ++i) line[i] = *pixelAt(i);
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](QRgb c, int sign) {
            sum[0] += sign * qAlpha(c);
            sum[1] += sign * qRed(c);
            sum[2] += sign * qGreen(c);
            sum[3] += sign * qBlue(c);
        };
        const int span = 2 * radius + 1;
        for (int i = -radius; i <= radius; ++i)
            if (i >= 0 && i < length) add(line[i], 1);
        for (int i = 0; i < length; ++i) {
            *pixelAt(i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
            if (i + radius + 1 < length) add(line[i + radius + 1], 1);
            if (i - radius >= 0) add(line[i - radius], -1);
        }
    };
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        blurLine([row](int i) { return row + i; }, w);
    }
    for (int x = 0; x < w; ++x)
        blurLine([&image, x](int i) { return reinterpret_cast<QRgb*>(image.scanLine(i)) + x; }, h);
}

QConicalGradient rainbow(QPointF centre) {
    QConicalGradient g(centre, 90);
    for (int i = 0; i <= 6; ++i) g.setColorAt(i / 6.0, QColor::fromHsvF((i % 6) / 6.0, 0.9, 1.0));
    return g;
}

QImage glow() {
    QImage halo(DESIGN, DESIGN, QImage::Format_ARGB32_Premultiplied);
    halo.fill(Qt::transparent);
    QPainter p(&halo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(rainbow({128, 140}));
    p.drawRoundedRect(QRectF(52, 66, 152, 142), 34, 34);
    p.end();
    for (int i = 0; i < 3; ++i) boxBlurPass(halo, 12);
    return halo;
}

void drawCap(QPainter& p) {
    const QRectF skirt(50, 50, 156, 158);
    p.setPen(Qt::NoPen);
    QLinearGradient side(skirt.topLeft(), skirt.bottomLeft());
    side.setColorAt(0, QColor(0x2a, 0x2e, 0x36));
    side.setColorAt(1, QColor(0x17, 0x19, 0x1e));
    p.setBrush(side);
    p.drawRoundedRect(skirt, 30, 30);

    // Light leaking from under the cap's rim.
    p.setPen(QPen(QBrush(rainbow(skirt.center())), 5.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(skirt.adjusted(2.5, 2.5, -2.5, -2.5), 28, 28);

    const QRectF top(68, 60, 120, 114);
    QLinearGradient face(top.topLeft(), top.bottomLeft());
    face.setColorAt(0, QColor(0x46, 0x4c, 0x57));
    face.setColorAt(1, QColor(0x2c, 0x30, 0x38));
    p.setPen(QPen(QColor(0x5a, 0x61, 0x6d), 2.0));
    p.setBrush(face);
    p.drawRoundedRect(top, 20, 20);

    QLinearGradient ink(top.topLeft(), top.bottomRight());
    ink.setColorAt(0, Palette::ACCENT_LIGHT);
    ink.setColorAt(1, Palette::ACCENT);
    p.setPen(QPen(QBrush(ink), 1));
    p.setFont(LegendFont(78, true));
    p.drawText(top.adjusted(0, -4, 0, 0), Qt::AlignCenter, "K");
}

}  // namespace

QImage LogoPicture(int size) {
    QImage logo(DESIGN, DESIGN, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.drawImage(0, 0, glow());
        drawCap(p);
    }
    if (size != DESIGN)
        logo = logo.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return logo.convertToFormat(QImage::Format_ARGB32);
}
