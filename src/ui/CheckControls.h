#pragma once
// Check box and radio button on Qt's buttons. A skin, when given, draws the box in place
// of Qt's indicator; the Qt button keeps the text, focus, keys and accessibility.
#include <QAbstractButton>

#include "ui/SWindow.h"

namespace SOUI {

// Shared by check box and radio button; no tag of its own.
class SToggleButton : public SWindow {
public:
    void SetCheck(bool checked) override;
    void SetWindowText(const QString& text) override;
    // Clicks as the user would: the check state changes, then the command fires.
    void Click();
    // The box: left edge, vertically centred, at the skin's size.
    QRect BoxRect() const;

protected:
    explicit SToggleButton(QAbstractButton* button);
    void OnStateChanged(std::uint32_t oldState, std::uint32_t newState) override;
    void OnPaint(QPainter& painter) override;
    QSize GetDesiredSize() const override;
    // Eight-state box: normal, hover, pushed, disabled, then the same checked.
    int SkinStateIndex() const override;
    // What a user click does to the check state.
    virtual void OnUserToggle(bool checked) = 0;
    // Hides Qt's indicator and moves the text by (left, top).
    void SetTextIndent(int left, int top);
    void UpdateTextIndent();

    QAbstractButton* m_button;

private:
    bool m_indentSet = false;
    QPoint m_indent;
};

class SCheckBox : public SToggleButton {
    SOUI_CLASS_NAME(SToggleButton, "check")
public:
    SCheckBox();

protected:
    void OnUserToggle(bool checked) override { SetCheck(checked); }
};

// Checking a radio button unchecks the radio buttons beside it (same parent).
class SRadioBox : public SToggleButton {
    SOUI_CLASS_NAME(SToggleButton, "radio")
public:
    SRadioBox();
    void SetCheck(bool checked) override;

protected:
    void OnUserToggle(bool) override { SetCheck(true); }
};

}  // namespace SOUI
