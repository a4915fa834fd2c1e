#include "Spectrum.h"

#include <QColor>

namespace {
// Share of the height that fades from white into the pure hues.
constexpr double PALE_SHARE = 0.55;
constexpr double DARKEST_VALUE = 0.1;
}  // namespace

QImage SpectrumPicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const double t = height > 1 ? static_cast<double>(y) / (height - 1) : 0.0;
        const double saturation = t < PALE_SHARE ? t / PALE_SHARE : 1.0;
        const double value =
            t < PALE_SHARE ? 1.0
                           : 1.0 - (t - PALE_SHARE) / (1.0 - PALE_SHARE) * (1.0 - DARKEST_VALUE);
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double hue = static_cast<double>(x) / width;
            row[x] = QColor::fromHsvF(hue, saturation, value).rgb();
        }
    }
    return image;
}
