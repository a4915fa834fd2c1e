#include "ui/EventWatch.h"

#include <QEvent>

namespace SOUI {

namespace {

class EventWatch : public QObject {
public:
    EventWatch(QObject* target, std::function<bool(QEvent*)> handle)
        : QObject(target), handle_(std::move(handle)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return handle_(event); }

private:
    std::function<bool(QEvent*)> handle_;
};

}  // namespace

void WatchEvents(QObject* target, std::function<bool(QEvent*)> handle) {
    if (target) target->installEventFilter(new EventWatch(target, std::move(handle)));
}

}  // namespace SOUI
