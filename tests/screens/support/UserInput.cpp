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

void MouseOnKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, SOUI::UINT message,
                int position) {
    ASSERT_TRUE(widgetinput::MouseOnKey(app, picture, message, position)) << position;
}

void ClickKey(SOUI::SApplication& app, SOUI::CoordButtonImage& picture, int position) {
    MouseOnKey(app, picture, SOUI::WM_LBUTTONDOWN, position);
    MouseOnKey(app, picture, SOUI::WM_LBUTTONUP, position);
    Settle();
}

void PressIn(SOUI::SHostDialog& dialog, const char* name) {
    SOUI::SWindow* w = dialog.GetRoot()->FindChildByName(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    widgetinput::Press(*w);
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
