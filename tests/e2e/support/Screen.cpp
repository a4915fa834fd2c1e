#include "Screen.h"

#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "Desktop.h"

namespace e2e {
namespace {

// An unsigned number of `size` bytes.
quint32 Word(const QByteArray& bytes, qint64 at, bool bigEndian, int size = 4) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        const auto byte = static_cast<quint8>(bytes[at + (bigEndian ? i : size - 1 - i)]);
        value = value << 8 | byte;
    }
    return value;
}

int Shift(quint32 mask) {
    int shift = 0;
    while (mask && !(mask & 1U)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

}  // namespace

QImage DecodeXwd(const QByteArray& dump) {
    constexpr int kHeaderWords = 25;
    if (dump.size() < kHeaderWords * 4) return {};
    auto field = [&](int index) { return Word(dump, index * 4, true); };
    const quint32 headerSize = field(0), depth = field(3), width = field(4), height = field(5),
                  byteOrder = field(7), bitsPerPixel = field(11), bytesPerLine = field(12),
                  redMask = field(14), greenMask = field(15), blueMask = field(16),
                  colours = field(19);
    // xwd writes 32 or 24 bits a pixel, depending on the server's pixmap formats.
    if ((bitsPerPixel != 32 && bitsPerPixel != 24) || depth < 24 || width == 0 || height == 0 ||
        width > 16384 || height > 16384 || bytesPerLine < width * (bitsPerPixel / 8))
        return {};
    const int pixelBytes = int(bitsPerPixel / 8);
    const qint64 start = qint64(headerSize) + qint64(colours) * 12;
    if (start + qint64(bytesPerLine) * height > dump.size()) return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    const int r = Shift(redMask), g = Shift(greenMask), b = Shift(blueMask);
    for (quint32 y = 0; y < height; ++y)
        for (quint32 x = 0; x < width; ++x) {
            const quint32 p = Word(dump, start + qint64(y) * bytesPerLine + x * pixelBytes,
                                   byteOrder != 0, pixelBytes);
            image.setPixel(int(x), int(y),
                           qRgb((p & redMask) >> r, (p & greenMask) >> g, (p & blueMask) >> b));
        }
    return image;
}

namespace {

struct ClientWindow {
    QString id;
    QPoint position;
};

// The windows that belong to programs (they carry a class), bottom of the stack first.
std::vector<ClientWindow> ClientWindows(const Desktop& desktop) {
    const QString tree = QString::fromUtf8(RunOn(desktop, "xwininfo", {"-root", "-tree"}));
    // "  0x400010 "title": ("name" "class")  200x100+40+10  +40+10": the last pair is the
    // position on the screen.
    static const QRegularExpression kLine(
        R"re(^\s+(0x[0-9a-f]+) .*\("[^"]*" "[^"]*"\)\s+(\d+)x(\d+)\S*\s+\+(-?\d+)\+(-?\d+)\s*$)re");
    std::vector<ClientWindow> windows;
    for (const QString& line : tree.split('\n')) {
        const auto match = kLine.match(line);
        if (!match.hasMatch() || match.captured(2).toInt() <= 1) continue;
        windows.push_back(
            {match.captured(1), QPoint(match.captured(4).toInt(), match.captured(5).toInt())});
    }
    // xwininfo lists the top of the stack first.
    std::reverse(windows.begin(), windows.end());
    return windows;
}

}  // namespace

QImage Capture(const Desktop& desktop) {
    QImage screen = DecodeXwd(RunOn(desktop, "xwd", {"-root", "-silent"}));
    if (screen.isNull()) return screen;
    // Xvfb's root image misses what some windows drew (a window mapped after the first shows
    // black there), while each window's own image is right: the screen is put together from
    // the windows' images, as a display without a compositor shows them.
    QPainter painter(&screen);
    for (const ClientWindow& window : ClientWindows(desktop)) {
        int status = 0;
        const QImage image =
            DecodeXwd(RunOn(desktop, "xwd", {"-id", window.id, "-silent"}, &status));
        if (status == 0 && !image.isNull()) painter.drawImage(window.position, image);
    }
    return screen;
}

QColor MainColour(const QImage& image, const QRect& region) {
    QHash<QRgb, int> counts;
    QRgb best = 0;
    int bestCount = 0;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int n = ++counts[p];
            if (n > bestCount) {
                bestCount = n;
                best = p;
            }
        }
    return QColor::fromRgb(best);
}

int ColourDistance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

bool RegionChanged(const QImage& before, const QImage& after, const QRect& region) {
    const QRect area = region.intersected(before.rect()).intersected(after.rect());
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ColourDistance(QColor(before.pixel(x, y)), QColor(after.pixel(x, y))) > 24)
                ++changed;
    return changed > 3;
}

}  // namespace e2e
