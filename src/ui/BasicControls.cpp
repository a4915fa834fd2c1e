#include "ui/BasicControls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "ui/HostWnd.h"
#include "ui/Skin.h"

namespace SOUI {

SStatic::SStatic() : m_label(new QLabel) {
    SetControl(m_label);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SStatic::SetWindowText(const QString& text) {
    SWindow::SetWindowText(text);
    m_label->setText(text);
}

void SStatic::SetPicture(const QPixmap& picture) {
    if (picture.isNull())
        m_label->clear();
    else
        m_label->setPixmap(picture);
}

bool SStatic::SetAttribute(const QString& name, const QString& value) {
    if (name == "align") {
        const Qt::Alignment h = value == "center"  ? Qt::AlignHCenter
                                : value == "right" ? Qt::AlignRight
                                                   : Qt::AlignLeft;
        m_label->setAlignment(h | Qt::AlignVCenter);
        return true;
    }
    if (name == "wordwrap") {
        m_label->setWordWrap(value != "0");
        return true;
    }
    return SWindow::SetAttribute(name, value);
}

bool SImageWnd::SetAttribute(const QString& name, const QString& value) {
    if (name == "iconindex") {
        int index = 0;
        if (ParseInt(value, &index)) SetIcon(index);
        return true;
    }
    return SWindow::SetAttribute(name, value);
}

void SImageWnd::SetIcon(int index) {
    m_index = index;
    update();
}

namespace {

// A button drawn by its skin: no face of its own, but a visible frame while it has the focus.
const char* const kFaceless =
    "QPushButton{background:transparent;border:1px solid transparent;border-radius:3px;}"
    "QPushButton:focus{border-color:palette(highlight);}";

// Enter works as a click, as Space does; a shortcut of the window (a dialog's default button)
// still comes first.
const char* const kCompact = "QPushButton { padding: 2px 4px; min-width: 0; }";

class ActivatingButton : public QPushButton {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !event->isAutoRepeat()) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

}  // namespace

SButton::SButton() : m_button(new ActivatingButton) {
    SetControl(m_button);
    QObject::connect(m_button, &QPushButton::clicked, [this] { FireCommand(); });
}

void SButton::SetWindowText(const QString& text) {
    SWindow::SetWindowText(text);
    m_button->setText(text);
    FitText();
}

bool SButton::SetAttribute(const QString& name, const QString& value) {
    const bool known = SWindow::SetAttribute(name, value);
    if (name == "size") FitText();
    return known;
}

void SButton::FitText() {
    if (GivenSize().width() <= 0 || !m_button->styleSheet().isEmpty()) return;
    if (GivenSize().width() < m_button->sizeHint().width()) m_button->setStyleSheet(kCompact);
}

void SButton::Click() {
    if (!IsDisabled()) m_button->click();
}

void SButton::OnPaint(QPainter& painter) {
    // With a skin the Qt button keeps focus, keys and text but draws no face.
    if (GetSkin() && m_button->styleSheet().isEmpty()) m_button->setStyleSheet(kFaceless);
    SWindow::OnPaint(painter);
}

SImageButton::SImageButton() {
    m_button->setStyleSheet(kFaceless);
}

void SCaption::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return SWindow::mousePressEvent(event);
    // The move starts with the first motion: a click that never moves (press and release
    // arriving together) would leave the window manager moving the window until the next one.
    m_pressed = true;
    m_pressPoint = event->globalPosition().toPoint();
    m_grabOffset = m_pressPoint - window()->frameGeometry().topLeft();
}

void SCaption::mouseMoveEvent(QMouseEvent* event) {
    SWindow::mouseMoveEvent(event);
    const QPoint global = event->globalPosition().toPoint();
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        m_pressed = m_dragging = false;
        return;
    }
    if (!m_dragging) {
        if ((global - m_pressPoint).manhattanLength() < QApplication::startDragDistance()) return;
        m_dragging = true;
        // The window system moves the window itself where it can.
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemMove()) {
            m_pressed = m_dragging = false;
            return;
        }
    }
    window()->move(global - m_grabOffset);
}

void SCaption::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = m_dragging = false;
    SWindow::mouseReleaseEvent(event);
}

void SCaption::mouseDoubleClickEvent(QMouseEvent*) {
    SHostWnd* host = GetHost();
    if (host) host->SendMessage(WM_SYSCOMMAND, host->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE);
}

}  // namespace SOUI
