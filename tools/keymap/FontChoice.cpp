#include "FontChoice.h"

#include <QFontInfo>
#include <cmath>

namespace {
constexpr const char* FAMILY = "DejaVu Sans";
}

QFont LegendFont(double pixelSize, bool bold) {
    QFont font(FAMILY);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool LegendFontAvailable() {
    return QFontInfo(LegendFont(12)).family() == QLatin1String(FAMILY);
}
