#include "screens/EditorKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QWidget>

#include "ui/EventWatch.h"

namespace editorkeys {
namespace {

constexpr std::uint32_t kVirtualKeyTab = 0x09;

bool IsTab(const QKeyEvent& key) {
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

class CaptureFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // An accepted override turns a shortcut's key into a key press for the focused field.
        if (event->type() == QEvent::ShortcutOverride && !IsTab(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return false;
    }
};

}  // namespace

void MakeCaptureField(QWidget* field) {
    if (!field) return;
    // The focus goes to the control behind a toolkit widget.
    QWidget* control = field->focusProxy() ? field->focusProxy() : field;
    // A click on the field puts the focus there, as Tab does.
    control->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new CaptureFilter(control));
}

void FocusCaptureField(QWidget* field) {
    if (field && !qobject_cast<QTabBar*>(QApplication::focusWidget()))
        field->setFocus(Qt::OtherFocusReason);
}

bool HasFocus(const QWidget* field) {
    return field && field->hasFocus();
}

bool MovesFocus(std::uint32_t virtualKey) {
    return virtualKey == kVirtualKeyTab;
}

void CancelOnEscape(QWidget* frame, std::function<void()> cancel) {
    SOUI::WatchEvents(frame, [cancel = std::move(cancel)](QEvent* event) {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        cancel();
        return true;
    });
}

}  // namespace editorkeys
