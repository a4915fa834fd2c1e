#include "screens/KeyboardHook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>
#include <utility>
#include <vector>

#include "screens/EvdevKeyMap.h"

namespace {

// X11 and Wayland key codes are the input layer's codes plus 8.
constexpr std::uint32_t kNativeKeyCodeOffset = 8;

struct Listener {
    const void* object;
    std::shared_ptr<KeyboardHook::Handler> handler;
};

std::vector<Listener>& Listeners() {
    static std::vector<Listener> listeners;
    return listeners;
}

bool IsKeypadNavigation(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::KeypadModifier)) return false;
    const int key = event.key();
    return !(key >= Qt::Key_0 && key <= Qt::Key_9) && key != Qt::Key_Period && key != Qt::Key_Comma;
}

// Watches the application's windows: a key event reaches the window before any
// widget, exactly once, so swallowing it there keeps it from every widget.
class HookFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWindowType()) return false;
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && event->type() == QEvent::KeyRelease) {
            // The other systems repeat key-downs only; the release half of a repeat is
            // kept from widgets exactly when its key-down was.
            return lastDownSwallowed_ && lastDownScan_ == key->nativeScanCode();
        }
        SOUI::UINT message = 0;
        KBDLLHOOKSTRUCT info;
        if (!KeyboardHook::Translate(*key, message, info)) return false;
        const bool swallowed = KeyboardHook::CallListeners(
                                   HC_ACTION, message, reinterpret_cast<SOUI::LPARAM>(&info)) != 0;
        if (event->type() == QEvent::KeyPress) {
            lastDownSwallowed_ = swallowed;
            lastDownScan_ = key->nativeScanCode();
        }
        if (swallowed) event->accept();
        return swallowed;
    }

private:
    bool lastDownSwallowed_ = false;
    quint32 lastDownScan_ = 0;
};

QPointer<HookFilter>& Filter() {
    static QPointer<HookFilter> filter;
    return filter;
}

}  // namespace

bool KeyboardHook::Install(void*) {
    if (Filter()) return true;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    Filter() = new HookFilter;
    Filter()->setParent(app);
    app->installEventFilter(Filter());
    return true;
}

void KeyboardHook::Remove() {
    delete Filter().data();
    Filter() = nullptr;
}

bool KeyboardHook::IsInstalled() {
    return !Filter().isNull();
}

void KeyboardHook::AddListener(const void* object, Handler handler) {
    RemoveListener(object);
    Listeners().push_back({object, std::make_shared<Handler>(std::move(handler))});
}

void KeyboardHook::RemoveListener(const void* object) {
    std::erase_if(Listeners(), [object](const Listener& l) { return l.object == object; });
}

int KeyboardHook::ListenerCount() {
    return static_cast<int>(Listeners().size());
}

SOUI::LRESULT KeyboardHook::CallListeners(int code, SOUI::WPARAM wParam, SOUI::LPARAM lParam) {
    // A listener may register or leave while it runs; walk a snapshot.
    const std::vector<Listener> listeners = Listeners();
    for (const Listener& l : listeners)
        if ((*l.handler)(code, wParam, lParam) != 0) return 1;
    return 0;
}

bool KeyboardHook::Translate(const QKeyEvent& event, SOUI::UINT& message, KBDLLHOOKSTRUCT& info) {
    const bool down = event.type() == QEvent::KeyPress;
    if (!down && event.type() != QEvent::KeyRelease) return false;
    const bool alt = event.modifiers() & Qt::AltModifier;
    message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    info = KBDLLHOOKSTRUCT{};
    info.time = static_cast<std::uint32_t>(event.timestamp());
    const quint32 native = event.nativeScanCode();
    if (native < kNativeKeyCodeOffset) return true;
    if (const EvdevKey* key = FindEvdevKey(native - kNativeKeyCodeOffset)) {
        info.vkCode = EvdevVirtualKey(*key, IsKeypadNavigation(event));
        info.scanCode = key->scan;
        info.flags = key->extended ? LLKHF_EXTENDED : 0;
    }
    return true;
}
