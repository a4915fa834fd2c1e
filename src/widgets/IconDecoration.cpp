#include "widgets/IconDecoration.h"

#include <cstdio>

#include "ui/Application.h"
#include "ui/SWindow.h"
#include "ui/Skin.h"

namespace SOUI {

bool IconDecoration::SetAttribute(const QString& name, const QString& value) {
    if (name == "iconskin") {
        iconSkin = FindSkin(value);
    } else if (name == "iconpos") {
        // Read as "%d,%d": a single number sets x and leaves y as it was.
        int x = iconPos.x(), y = iconPos.y();
        const int n = std::sscanf(value.toUtf8().constData(), "%d,%d", &x, &y);
        if (n >= 1) iconPos.setX(x);
        if (n >= 2) iconPos.setY(y);
    } else if (name == "textx") {
        SOUI::ParseInt(value, &textX);
    } else if (name == "texty") {
        SOUI::ParseInt(value, &textY);
    } else {
        return false;
    }
    return true;
}

int IconDecoration::IconWidth() const {
    return iconSkin ? iconSkin->GetSkinSize().width() : 0;
}

int IconDecoration::EightStateIndex(std::uint32_t state) {
    const int base = (state & SOUI::WndState_Disable)    ? 3
                     : (state & SOUI::WndState_PushDown) ? 2
                     : (state & SOUI::WndState_Hover)    ? 1
                                                         : 0;
    return base + ((state & SOUI::WndState_Check) ? 4 : 0);
}

}  // namespace SOUI
