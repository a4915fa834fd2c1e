#include "KeyboardPicture.h"

#include <QLinearGradient>
#include <QPainter>

#include "FontChoice.h"
#include "KeyCapPainter.h"
#include "Palette.h"

namespace {

enum State { NORMAL, HOVER, CHECKED, DISABLED };

// Hover and checked caps are the normal cap with bits set (see orMask), so
// they are drawn with the normal colours and only a brighter legend.
CapLook lookFor(State state, PicturePage page) {
    const bool emphasise = page == PicturePage::Assignment;
    CapLook look{QColor(0x2e, 0x32, 0x3a), QColor(0x1e, 0x20, 0x26),
                 emphasise ? QColor(0xe6, 0xe9, 0xee) : QColor(0xc4, 0xc9, 0xd1), QColor(),
                 emphasise};
    switch (state) {
        case HOVER:
            look.legend = Qt::white;
            look.outline = Palette::ACCENT;
            break;
        case CHECKED:
            look.legend = Qt::white;
            break;
        case DISABLED:
            look = {QColor(0x1f, 0x22, 0x27), QColor(0x19, 0x1b, 0x20), Palette::TEXT_DISABLED,
                    QColor(), emphasise};
            break;
        case NORMAL:
            break;
    }
    return look;
}

// Bits OR-ed into the normal cap colours (all below 0x40 per channel): hover
// lifts every channel by 0x40, checked turns the cap the accent blue. An OR
// keeps the cap's bevel and gradient intact.
QRgb orMask(State state) {
    return state == HOVER ? qRgba(0x40, 0x40, 0x40, 0) : qRgba(0x00, 0x80, 0xc0, 0);
}

// A key without a light of its own never changes on the lighting page.
CapLook unlitLook() {
    return {QColor(0x24, 0x27, 0x2d), QColor(0x1b, 0x1d, 0x22), Palette::TEXT_MUTED, QColor(),
            false};
}

void paintCase(QPainter& p, State state) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(PictureGeometry::CaseRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    const QColor base = state == DISABLED ? Palette::CASE.darker(115) : Palette::CASE;
    shade.setColorAt(0, base.lighter(112));
    shade.setColorAt(1, base);
    p.setBrush(shade);
    p.setPen(QPen(Palette::CASE_EDGE, 1.0));
    p.drawRoundedRect(body, 12, 12);

    // The light strip along the front edge: the keyboard's own glow.
    if (state != DISABLED) {
        const QRectF strip(body.left() + 40, body.bottom() - 4, body.width() - 80, 2);
        QLinearGradient hues(strip.topLeft(), strip.topRight());
        for (int i = 0; i <= 6; ++i) {
            QColor c = QColor::fromHsvF(i / 6.0 * 0.83, 0.85, 1.0);
            c.setAlphaF(i == 0 || i == 6 ? 0.0 : 0.55);
            hues.setColorAt(i / 6.0, c);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(hues);
        p.drawRoundedRect(strip, 1, 1);
    }
    p.restore();
}

// Lock lights above the keypad, left of the key there.
void paintIndicators(QPainter& p, State state) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const char* labels[] = {"Num", "Caps", "Scroll"};
    const int y = PictureGeometry::ORIGIN_Y + PictureGeometry::UNIT / 2;
    for (int i = 0; i < 3; ++i) {
        const double unitX = 18.6 + i * 0.9;
        const int x = PictureGeometry::ORIGIN_X + static_cast<int>(unitX * PictureGeometry::UNIT);
        const QColor led = state == DISABLED ? QColor(0x2a, 0x2d, 0x33) : QColor(0x3a, 0x3f, 0x48);
        p.setPen(Qt::NoPen);
        p.setBrush(led);
        p.drawEllipse(QPointF(x + 4, y - 6), 3, 3);
        p.setPen(state == DISABLED ? Palette::TEXT_DISABLED : Palette::TEXT_MUTED);
        p.setFont(LegendFont(9));
        p.drawText(QRect(x - 12, y + 1, 32, 12), Qt::AlignHCenter | Qt::AlignTop, labels[i]);
    }
    p.restore();
}

void paintState(QPainter& p, State state, PicturePage page) {
    paintCase(p, state);
    paintIndicators(p, state);
    for (const KeyPlace& key : KeyboardKeys()) {
        const bool unlit = !key.lit && page == PicturePage::Lighting && state != DISABLED;
        const CapLook look = unlit ? unlitLook() : lookFor(state, page);
        PaintKeyCap(p, PictureGeometry::KeyRect(key), key.legend, look);
    }
}

// How much of each pixel of one state the caps cover (alpha 0-255).
QImage capCoverage(const std::vector<KeyPlace>& keys, int scale) {
    QImage coverage(PictureGeometry::SIZE * scale, QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(scale);
    coverage.fill(0);
    QPainter p(&coverage);
    p.setRenderHint(QPainter::Antialiasing);
    for (const KeyPlace& key : keys)
        p.fillPath(KeyCapOutline(PictureGeometry::KeyRect(key)), Qt::black);
    return coverage;
}

int blend(int from, int to, int weight) {
    return from + (to - from) * weight / 255;
}

// Inside a key's rectangle (in the strip's pixels): the state's mask is OR-ed
// into the cap (in proportion to its coverage at the rounded edges), then the
// normal state is OR-ed into everything.
void foldKey(QImage& strip, State state, const QRect& key, const QImage& coverage) {
    const QRgb mask = orMask(state);
    const int dx = state * coverage.width();
    for (int y = key.top(); y <= key.bottom(); ++y) {
        const auto* normal = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        const uchar* cover = coverage.constScanLine(y);
        auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = key.left(); x <= key.right(); ++x) {
            const QRgb own = row[x + dx];
            const QRgb lifted = own | mask;
            const QRgb mixed = qRgba(blend(qRed(own), qRed(lifted), cover[x]),
                                     blend(qGreen(own), qGreen(lifted), cover[x]),
                                     blend(qBlue(own), qBlue(lifted), cover[x]), qAlpha(own));
            row[x + dx] = mixed | normal[x];
        }
    }
}

}  // namespace

std::vector<KeyPlace> PageKeys(PicturePage page) {
    return page == PicturePage::Lighting ? LitKeys() : KeyboardKeys();
}

QImage KeyboardPicture(PicturePage page, int scale) {
    const QSize one = PictureGeometry::SIZE;
    QImage strip(QSize(one.width() * PICTURE_STATES, one.height()) * scale,
                 QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(scale);
    strip.fill(Qt::transparent);
    {
        QPainter p(&strip);
        for (int s = 0; s < PICTURE_STATES; ++s) {
            p.save();
            p.translate(s * one.width(), 0);
            p.setClipRect(QRect(QPoint(0, 0), one));
            paintState(p, static_cast<State>(s), page);
            p.restore();
        }
    }
    const std::vector<KeyPlace> keys = PageKeys(page);
    const QImage coverage = capCoverage(keys, scale);
    for (const KeyPlace& key : keys) {
        const QRect r = PictureGeometry::KeyRect(key);
        for (State s : {HOVER, CHECKED})
            foldKey(strip, s, QRect(r.topLeft() * scale, r.size() * scale), coverage);
    }
    return strip.convertToFormat(QImage::Format_ARGB32);
}
