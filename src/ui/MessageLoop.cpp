#include "ui/MessageLoop.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "ui/HostWnd.h"

namespace SOUI {
namespace {

UINT MessageOf(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            return WM_MOUSEMOVE;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto b = static_cast<const QMouseEvent*>(event)->button();
            return b == Qt::LeftButton ? WM_LBUTTONDOWN : b == Qt::RightButton ? WM_RBUTTONDOWN : 0;
        }
        case QEvent::MouseButtonRelease: {
            const auto b = static_cast<const QMouseEvent*>(event)->button();
            return b == Qt::LeftButton ? WM_LBUTTONUP : b == Qt::RightButton ? WM_RBUTTONUP : 0;
        }
        default:
            return 0;
    }
}

LPARAM PackPoint(QPoint p) {
    return static_cast<LPARAM>((p.x() & 0xFFFF) | ((p.y() & 0xFFFF) << 16));
}

}  // namespace

SMessageLoop::SMessageLoop() {
    if (qApp) qApp->installEventFilter(this);
}

SMessageLoop::~SMessageLoop() {
    if (qApp) qApp->removeEventFilter(this);
}

void SMessageLoop::AddMessageFilter(IMessageFilter* filter) {
    if (filter && std::find(m_filters.begin(), m_filters.end(), filter) == m_filters.end())
        m_filters.push_back(filter);
}

void SMessageLoop::RemoveMessageFilter(IMessageFilter* filter) {
    std::erase(m_filters, filter);
}

bool SMessageLoop::PreTranslate(MSG& msg) {
    const auto filters = m_filters;
    for (IMessageFilter* f : filters)
        if (std::find(m_filters.begin(), m_filters.end(), f) != m_filters.end() &&
            f->PreTranslateMessage(&msg))
            return true;
    return false;
}

bool SMessageLoop::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || m_filters.empty()) return false;
    MSG msg;
    msg.hwnd = SHostWnd::HandleOfFrame(widget->window());
    if (event->type() == QEvent::Leave) {
        // Only leaving a top-level window counts, as the host window tracks the mouse.
        if (!widget->isWindow()) return false;
        msg.message = WM_MOUSELEAVE;
        return PreTranslate(msg);
    }
    msg.message = MessageOf(event);
    if (msg.message == 0) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const InputKey key{event->type(), mouse->timestamp(), mouse->globalPosition(),
                       static_cast<int>(mouse->button())};
    if (key == m_last) return false;
    m_last = key;
    const QPoint global = mouse->globalPosition().toPoint();
    msg.pt = {global.x(), global.y()};
    msg.lParam = PackPoint(widget->window()->mapFromGlobal(global));
    msg.wParam =
        (mouse->buttons() & Qt::LeftButton ? 1 : 0) | (mouse->buttons() & Qt::RightButton ? 2 : 0);
    return PreTranslate(msg);
}

}  // namespace SOUI
