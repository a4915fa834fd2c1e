#include "UserInput.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "screens/support/WidgetInput.h"
#include "ui/CheckControls.h"
#include "ui/InputControls.h"

namespace soak {

bool Reachable(SOUI::SHostWnd& host, SOUI::SWindow* widget) {
    return widget && widget->isVisibleTo(host.GetFrame()) && widget->isEnabled() &&
           !widget->IsDisabled();
}

void Press(SOUI::SWindow* widget) {
    widgetinput::Press(*widget);
    SoakRig::Settle();
}

void Choose(SOUI::SComboBox* combo, int entry) {
    combo->Combo()->setCurrentIndex(entry);
    SoakRig::Settle();
}

void Slide(SOUI::SSliderBar* slider, int position) {
    slider->Slider()->setValue(position);
    SoakRig::Settle();
}

void ClickAt(SOUI::SWindow* widget, QPoint point) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), widget->mapToGlobal(QPointF(point)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point),
                        widget->mapToGlobal(QPointF(point)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
    SoakRig::Settle();
}

void Type(SOUI::SHostWnd& host, unsigned evdev) {
    QWindow* window = host.GetFrame() ? host.GetFrame()->windowHandle() : nullptr;
    if (!window) return;
    // The native scan code of X11 and Wayland is the input layer code plus 8.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0);
        QCoreApplication::sendEvent(window, &event);
        SoakRig::Settle();
    }
}

int RandomBelow(std::mt19937& random, int count) {
    if (count <= 0) return 0;
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

}  // namespace soak
