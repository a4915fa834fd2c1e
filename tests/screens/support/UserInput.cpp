#include "UserInput.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include "store/ShapeDispatcher.h"

namespace userinput {

void Settle() {
    for (int i = 0; i < 4; ++i) {
        ShapeDispatcher::waitIdle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void MouseAt(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
             QPoint point) {
    const QPoint global = picture.mapToGlobal(point);
    SOUI::MSG msg;
    msg.message = message;
    msg.pt = {global.x(), global.y()};
    app.GetMsgLoop().PreTranslate(msg);
}

void MouseOnKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
                int position) {
    ASSERT_GE(position, 0);
    ASSERT_LT(position, static_cast<int>(picture.Items().size()));
    const CoordRect& r = picture.Items()[static_cast<std::size_t>(position)].rect;
    MouseAt(app, picture, message, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

void ClickKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, int position) {
    MouseOnKey(app, picture, SOUI::WM_LBUTTONDOWN, position);
    MouseOnKey(app, picture, SOUI::WM_LBUTTONUP, position);
    Settle();
}

void PressIn(SOUI::SHostDialog& dialog, const char* name) {
    SOUI::SWindow* w = dialog.GetRoot()->FindChildByName(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    if (auto* box = dynamic_cast<SOUI::SToggleButton*>(w))
        box->Click();
    else if (auto* button = dynamic_cast<SOUI::SButton*>(w))
        button->Click();
    else
        w->FireCommand();
    Settle();
}

void TypeIn(SOUI::SHostDialog& dialog, unsigned evdev) {
    // The native scan code of X11 and Wayland is the input layer code plus 8.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0);
        QCoreApplication::sendEvent(dialog.GetFrame()->windowHandle(), &event);
        Settle();
    }
}

}  // namespace userinput
