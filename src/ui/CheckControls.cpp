#include "ui/CheckControls.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/Skin.h"

namespace SOUI {
namespace {

// The skin draws the box and icon where Qt's indicator would be, beside the text: the whole
// widget is the button, not only Qt's indicator and text.
template <class Button>
class WholeAreaButton : public Button {
protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

}  // namespace

SToggleButton::SToggleButton(QAbstractButton* button) : m_button(button) {
    SetControl(button);
    QObject::connect(button, &QAbstractButton::clicked, [this](bool checked) {
        OnUserToggle(checked);
        FireCommand();
    });
}

void SToggleButton::SetCheck(bool checked) {
    SWindow::SetCheck(checked);
    const QSignalBlocker block(m_button);
    m_button->setChecked(IsChecked());
}

void SToggleButton::SetWindowText(const QString& text) {
    SWindow::SetWindowText(text);
    m_button->setText(text);
}

void SToggleButton::Click() {
    if (!IsDisabled()) m_button->click();
}

QRect SToggleButton::BoxRect() const {
    if (!GetSkin()) return {};
    const QSize s = GetSkin()->GetSkinSize();
    return QRect(QPoint(0, (height() - s.height()) / 2), s);
}

void SToggleButton::OnStateChanged(std::uint32_t, std::uint32_t) {
    const QSignalBlocker block(m_button);
    m_button->setChecked(IsChecked());
}

void SToggleButton::OnPaint(QPainter& painter) {
    if (GetBkgndColor() != 0) SWindow::OnPaint(painter);
    if (!GetSkin()) return;
    if (!m_indentSet) SetTextIndent(BoxRect().width() + 4, 0);
    GetSkin()->Draw(painter, BoxRect(), SkinStateIndex());
}

QSize SToggleButton::GetDesiredSize() const {
    return m_button->sizeHint();
}

void SToggleButton::SetTextIndent(int left, int top) {
    m_indentSet = true;
    m_indent = {left, top};
    UpdateTextIndent();
}

void SToggleButton::UpdateTextIndent() {
    const char* type = m_button->inherits("QRadioButton") ? "QRadioButton" : "QCheckBox";
    // The indicator is drawn by the skin: Qt's, even at no size, leaves a dot before the text.
    m_button->setStyleSheet(QString("%1{padding-left:%2px;padding-top:%3px;background:transparent;"
                                    "spacing:0px;}"
                                    "%1::indicator{width:0px;height:0px;border:none;margin:0px;"
                                    "image:none;background:transparent;}")
                                .arg(type)
                                .arg(m_indent.x())
                                .arg(m_indent.y()));
}

SCheckBox::SCheckBox() : SToggleButton(new WholeAreaButton<QCheckBox>) {}

SRadioBox::SRadioBox() : SToggleButton(new WholeAreaButton<QRadioButton>) {
    // Exclusivity follows the toolkit tree, not Qt's widget parents.
    m_button->setAutoExclusive(false);
}

void SRadioBox::SetCheck(bool checked) {
    if (checked)
        if (SWindow* parent = GetParentSWnd())
            for (SWindow* sibling : parent->Children())
                if (sibling != this && sibling->IsClass("radio") && sibling->IsChecked())
                    sibling->SetCheck(false);
    SToggleButton::SetCheck(checked);
}

int SToggleButton::SkinStateIndex() const {
    if (!GetSkin()) return 0;
    const std::uint32_t s = GetState();
    int index = (s & WndState_Disable)    ? 3
                : (s & WndState_PushDown) ? 2
                : (s & WndState_Hover)    ? 1
                                          : 0;
    if (s & WndState_Check) index += 4;
    return qMin(index, GetSkin()->GetStates() - 1);
}

}  // namespace SOUI
