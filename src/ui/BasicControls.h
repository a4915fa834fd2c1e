#pragma once
// Text, image, buttons and the draggable caption.
#include <QLabel>
#include <QPushButton>

#include "ui/SWindow.h"

namespace SOUI {

class SStatic : public SWindow {
    SOUI_CLASS_NAME(SWindow, "text")
public:
    SStatic();
    void SetWindowText(const QString& text) override;
    // Shows a picture in place of the text; a null one shows nothing.
    void SetPicture(const QPixmap& picture);
    bool SetAttribute(const QString& name, const QString& value) override;

private:
    QLabel* m_label;
};

// Draws one state of its skin ("iconIndex", 0 by default).
class SImageWnd : public SWindow {
    SOUI_CLASS_NAME(SWindow, "img")
public:
    bool SetAttribute(const QString& name, const QString& value) override;
    void SetIcon(int index);

protected:
    int SkinStateIndex() const override { return m_index; }

private:
    int m_index = 0;
};

// A push button: a click fires the command event.
class SButton : public SWindow {
    SOUI_CLASS_NAME(SWindow, "button")
public:
    SButton();
    void SetWindowText(const QString& text) override;
    bool SetAttribute(const QString& name, const QString& value) override;
    // Clicks the button as the user would.
    void Click();

protected:
    void OnPaint(QPainter& painter) override;
    QPushButton* m_button;

private:
    // A button laid out narrower than the theme's padding allows keeps its whole text.
    void FitText();
};

// A button drawn by its skin: states normal, hover, pushed, disabled.
class SImageButton : public SButton {
    SOUI_CLASS_NAME(SButton, "imgbtn")
public:
    SImageButton();
};

// A title bar: dragging it moves the host window; a double click maximises or restores.
class SCaption : public SWindow {
    SOUI_CLASS_NAME(SWindow, "caption")
protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressPoint;
    QPoint m_grabOffset;
};

// A dialog's row of closing buttons. In a window that scrolls because its screen is too small
// it stays along the bottom of what is shown, as the title bar stays along the top.
class SFooter : public SWindow {
    SOUI_CLASS_NAME(SWindow, "footer")
};

}  // namespace SOUI
