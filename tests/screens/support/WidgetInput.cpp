#include "WidgetInput.h"

#include "ui/HostWnd.h"

namespace widgetinput {

void Press(SOUI::SWindow& widget) {
    if (auto* toggle = dynamic_cast<SOUI::SToggleButton*>(&widget))
        toggle->Click();
    else if (auto* button = dynamic_cast<SOUI::SButton*>(&widget))
        button->Click();
    else
        widget.FireCommand();
}

void MouseAt(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
             QPoint point) {
    const QPoint global = picture.mapToGlobal(point);
    SOUI::MSG msg;
    // Aimed at the picture's own window, as the message loop addresses mouse input.
    msg.hwnd = SOUI::SHostWnd::HandleOfFrame(picture.window());
    msg.message = message;
    msg.pt = {global.x(), global.y()};
    app.GetMsgLoop().PreTranslate(msg);
}

bool MouseOnKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
                int position) {
    if (position < 0 || position >= static_cast<int>(picture.Items().size())) return false;
    const CoordRect& r = picture.Items()[static_cast<std::size_t>(position)].rect;
    MouseAt(app, picture, message, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    return true;
}

}  // namespace widgetinput
