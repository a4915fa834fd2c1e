#include "ui/ShapeMessage.h"

#include "store/Shape.h"
#include "ui/HostWnd.h"

namespace SOUI {

void DeliverShapeChange(LPARAM lParam) {
    if (lParam != 0) ShapeDispatcher::deliver(reinterpret_cast<ShapeChange*>(lParam));
}

void InstallShapeWindowPoster() {
    ShapeDispatcher::setWindowPoster([](WindowHandle window, ShapeChange* change) {
        return SHostWnd::PostMessage(window, UM_SHAPE_CHANGE, 0, reinterpret_cast<LPARAM>(change),
                                     [change] { delete change; });
    });
}

}  // namespace SOUI
