#include "ui/HostWnd.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <atomic>
#include <mutex>
#include <unordered_map>

#include "ui/Application.h"
#include "ui/LayoutLoader.h"
#include "ui/ScreenFit.h"
#include "ui/ShapeMessage.h"

namespace SOUI {
namespace {

// One message posted to a window. Its release runs unless the message was delivered,
// so a payload meant for a window that is gone is freed and never handled.
class PostedMessage : public QEvent {
public:
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    PostedMessage(UINT m, WPARAM w, LPARAM l, std::function<void()> r)
        : QEvent(EventType()), msg(m), wParam(w), lParam(l), release(std::move(r)) {}
    ~PostedMessage() override {
        if (!delivered && release) release();
    }
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::function<void()> release;
    bool delivered = false;
};

std::mutex g_registryMutex;
std::unordered_map<HWND, QWidget*> g_registry;
std::atomic<HWND> g_nextHandle{0x1000};

}  // namespace

class HostFrame : public QWidget {
public:
    HostFrame(SHostWnd* host, QWidget* parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), m_host(host) {}
    ~HostFrame() override {
        if (m_host) m_host->OnFrameGone();
    }
    void Detach() { m_host = nullptr; }
    SHostWnd* Host() const { return m_host; }

protected:
    bool event(QEvent* e) override {
        if (e->type() == PostedMessage::EventType()) {
            auto* posted = static_cast<PostedMessage*>(e);
            if (m_host && m_host->IsWindow()) {
                posted->delivered = true;
                m_host->SendMessage(posted->msg, posted->wParam, posted->lParam);
            }
            return true;
        }
        return QWidget::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        // The system's close request becomes WM_CLOSE; the handler decides.
        e->ignore();
        if (m_host) m_host->SendMessage(WM_CLOSE);
    }
    void resizeEvent(QResizeEvent* e) override {
        // A scrolled root keeps its layout's size; the scroller takes the frame's.
        if (QWidget* scroller = ScrollerOf(this))
            scroller->setGeometry(rect());
        else if (m_host && m_host->GetRoot())
            m_host->GetRoot()->setGeometry(rect());
        QWidget::resizeEvent(e);
    }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && m_host) m_host->SyncMaxRestoreButtons();
        QWidget::changeEvent(e);
    }

private:
    SHostWnd* m_host;
};

SHostWnd::SHostWnd(QString layoutName) : m_layoutName(std::move(layoutName)) {}

SHostWnd::~SHostWnd() {
    // No messages here: the derived part of this object no longer exists.
    Unregister();
    if (m_frame) {
        static_cast<HostFrame*>(m_frame.data())->Detach();
        delete m_frame.data();
    }
}

QWidget* SHostWnd::GetFrame() const {
    return m_frame.data();
}

HWND SHostWnd::Create(HWND parent) {
    if (IsWindow()) return m_hWnd;
    SHostWnd* owner = FromHandle(parent);
    const Qt::WindowFlags flags = (m_dialog ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint;
    auto* frame = new HostFrame(this, owner ? owner->GetFrame() : nullptr, flags);
    m_frame = frame;
    m_hWnd = g_nextHandle++;
    {
        std::lock_guard lock(g_registryMutex);
        g_registry[m_hWnd] = frame;
    }
    m_root = new SWindow(frame);
    m_root->SetHost(this);

    SApplication* app = SApplication::getSingletonPtr();
    pugi::xml_document doc;
    if (app && !m_layoutName.isEmpty() && app->GetResProvider().LoadXml(m_layoutName, doc)) {
        pugi::xml_node top = doc.document_element();
        OnHostAttributes(top);
        pugi::xml_node rootNode = top.child("root");
        SLayoutLoader::ApplyAttributes(m_root, rootNode);
        SLayoutLoader(*app).CreateChildren(m_root, rootNode);
    }
    m_root->setGeometry(frame->rect());
    SyncMaxRestoreButtons();
    return m_hWnd;
}

void SHostWnd::OnHostAttributes(pugi::xml_node node) {
    SApplication* app = SApplication::getSingletonPtr();
    const QString title = QString::fromUtf8(node.attribute("title").value());
    m_frame->setWindowTitle(app ? app->Tr(title) : title);
    const int width = node.attribute("width").as_int(400);
    const int height = node.attribute("height").as_int(300);
    m_frame->resize(width, height);
    m_designSize = QSize(width, height);
    m_translucent = node.attribute("translucent").as_bool(false);
    m_frame->setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    if (!node.attribute("resize").as_bool(false)) m_frame->setFixedSize(width, height);
}

void SHostWnd::Unregister() {
    if (m_hWnd == kNoWindow) return;
    std::lock_guard lock(g_registryMutex);
    g_registry.erase(m_hWnd);
}

void SHostWnd::OnFrameGone() {
    const HWND wnd = m_hWnd;
    Unregister();
    m_hWnd = kNoWindow;
    m_root = nullptr;
    OnFinalMessage();
    if (SApplication* app = SApplication::getSingletonPtr()) app->OnMainWindowDestroyed(wnd);
}

void SHostWnd::DestroyWindow() {
    // A WM_DESTROY handler that destroys the window again changes nothing.
    if (!IsWindow() || m_destroying) return;
    m_destroying = true;
    SendMessage(WM_DESTROY);
    m_destroying = false;
    if (!IsWindow()) return;
    const HWND wnd = m_hWnd;
    Unregister();
    m_hWnd = kNoWindow;
    if (m_root) m_root->SetHost(nullptr);
    m_root = nullptr;
    if (m_frame) {
        auto* frame = static_cast<HostFrame*>(m_frame.data());
        frame->Detach();
        frame->hide();
        // Deferred: the destruction may be requested from inside one of its widgets.
        frame->deleteLater();
    }
    m_frame = nullptr;
    OnFinalMessage();
    if (SApplication* app = SApplication::getSingletonPtr()) app->OnMainWindowDestroyed(wnd);
}

LRESULT SHostWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ProcessWindowMessage(msg, wParam, lParam, result)) return result;
    return DefWindowProc(msg, wParam, lParam);
}

bool SHostWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessage(m_hWnd, msg, wParam, lParam);
}

bool SHostWnd::PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                           std::function<void()> release) {
    std::lock_guard lock(g_registryMutex);
    auto it = g_registry.find(wnd);
    if (it == g_registry.end()) return false;
    QCoreApplication::postEvent(it->second,
                                new PostedMessage(msg, wParam, lParam, std::move(release)));
    return true;
}

SHostWnd* SHostWnd::FromHandle(HWND wnd) {
    QWidget* frame = nullptr;
    {
        std::lock_guard lock(g_registryMutex);
        auto it = g_registry.find(wnd);
        if (it != g_registry.end()) frame = it->second;
    }
    auto* host = dynamic_cast<HostFrame*>(frame);
    return host ? host->Host() : nullptr;
}

HWND SHostWnd::HandleOfFrame(const QWidget* frame) {
    auto* host = dynamic_cast<const HostFrame*>(frame);
    return host && host->Host() ? host->Host()->GetHostHwnd() : kNoWindow;
}

bool SHostWnd::ProcessWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT SHostWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    ShowWindow(SW_SHOWMINIMIZED);
                    break;
                case SC_MAXIMIZE:
                    ShowWindow(SW_SHOWMAXIMIZED);
                    break;
                case SC_RESTORE:
                    ShowWindow(SW_RESTORE);
                    break;
                case SC_CLOSE:
                    SendMessage(WM_CLOSE);
                    break;
                default:
                    break;
            }
            return 0;
        case UM_SHAPE_CHANGE:
            DeliverShapeChange(lParam);
            return 0;
        default:
            return 0;
    }
}

void SHostWnd::ShowWindow(int cmd) {
    if (!m_frame) return;
    switch (cmd) {
        case SW_HIDE:
            m_frame->hide();
            break;
        case SW_SHOWMINIMIZED:
            m_frame->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            m_frame->showMaximized();
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
            m_frame->showNormal();
            break;
        default:
            m_frame->show();
            break;
    }
    SyncMaxRestoreButtons();
}

bool SHostWnd::IsVisible() const {
    return m_frame && m_frame->isVisible();
}
bool SHostWnd::IsIconic() const {
    return m_frame && m_frame->isMinimized();
}
bool SHostWnd::IsZoomed() const {
    return m_frame && m_frame->isMaximized();
}

void SHostWnd::CenterWindow() {
    if (!m_frame) return;
    QScreen* screen = m_frame->screen() ? m_frame->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    FitIntoArea(m_frame, m_root, m_designSize, screen->availableGeometry());
}

void SHostWnd::SetForeground() {
    if (!m_frame) return;
    m_frame->raise();
    m_frame->activateWindow();
}

QRect SHostWnd::GetWindowRect() const {
    return m_frame ? m_frame->geometry() : QRect();
}

bool SHostWnd::DispatchEvent(EventArgs* e) {
    if (!IsWindow()) return false;
    return OnEvent(e) || OnDefaultEvent(e);
}

bool SHostWnd::OnEvent(EventArgs*) {
    return false;
}

bool SHostWnd::OnDefaultEvent(EventArgs* e) {
    if (e->id != EVT_CMD) return false;
    static const struct {
        const char* name;
        WPARAM command;
    } kTitleButtons[] = {{"btn_close", SC_CLOSE},
                         {"btn_min", SC_MINIMIZE},
                         {"btn_max", SC_MAXIMIZE},
                         {"btn_restore", SC_RESTORE}};
    for (const auto& b : kTitleButtons)
        if (e->nameFrom == QLatin1String(b.name)) {
            SendMessage(WM_SYSCOMMAND, b.command);
            return true;
        }
    return false;
}

void SHostWnd::SyncMaxRestoreButtons() {
    if (!m_root) return;
    SWindow* max = m_root->FindChildByName("btn_max");
    SWindow* restore = m_root->FindChildByName("btn_restore");
    if (!max || !restore) return;
    max->SetVisible(!IsZoomed());
    restore->SetVisible(IsZoomed());
}

}  // namespace SOUI
