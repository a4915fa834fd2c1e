#pragma once
// The icon and text offsets that the extended check box and radio button add.
#include <QPoint>
#include <QString>
#include <cstdint>

namespace SOUI {
class ISkinObj;
}

namespace SOUI {

struct IconDecoration {
    SOUI::ISkinObj* iconSkin = nullptr;
    QPoint iconPos{0, 0};
    int textX = 0;
    int textY = 0;

    // Handles "iconskin", "iconpos", "textx" and "texty"; false for other names.
    bool SetAttribute(const QString& name, const QString& value);
    int IconWidth() const;
    // The eight-state index: 0 normal, 1 hovered, 2 pushed, 3 disabled, plus 4 when checked.
    static int EightStateIndex(std::uint32_t state);
};

}  // namespace SOUI
