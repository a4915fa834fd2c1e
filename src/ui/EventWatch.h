#pragma once
// Lets a function see a widget's events before the widget does, for as long as the widget
// lives; the function returns true to keep an event from the widget.
#include <QObject>
#include <functional>

class QEvent;

namespace SOUI {

void WatchEvents(QObject* target, std::function<bool(QEvent*)> handle);

}  // namespace SOUI
