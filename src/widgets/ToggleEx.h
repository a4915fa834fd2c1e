#pragma once
// "checkex" and "radioex": a check box and a radio button whose box and extra icon are
// skins, with the text moved past the icon.
#include "ui/CheckControls.h"
#include "ui/Skin.h"
#include "widgets/IconDecoration.h"

namespace SOUI {

// What both extensions add to their toolkit base: the icon, the text offset, the natural
// size of the box skin and the paint order box, icon, text.
template <class Base>
class IconToggle : public Base {
public:
    virtual int BoxStateIndex() const = 0;
    virtual QRect BoxDrawRect() const { return this->BoxRect(); }
    virtual QRect IconRect() const = 0;
    // How far the text moves right and down from where the base puts it.
    virtual QPoint TextOffset() const = 0;
    int IconStateIndex() const { return IconDecoration::EightStateIndex(this->GetState()); }
    QSize GetDesiredSize() const override {
        return this->GetSkin() ? this->GetSkin()->GetSkinSize() : Base::GetDesiredSize();
    }
    bool SetAttribute(const QString& name, const QString& value) override {
        const bool known = m_icon.SetAttribute(name, value) || Base::SetAttribute(name, value);
        ApplyTextOffset();
        return known;
    }

protected:
    // No default box: without "skin" no box is drawn, and the text starts at the left.
    IconToggle() { this->SetTextIndent(0, 0); }
    void ApplyTextOffset() {
        // The base puts the text past a drawn box and a small gap.
        const int boxLeft = this->GetSkin() ? this->GetSkin()->GetSkinSize().width() + 4 : 0;
        const QPoint offset = TextOffset();
        this->SetTextIndent(boxLeft + offset.x(), offset.y());
    }
    void OnPaint(QPainter& painter) override {
        if (this->GetBkgndColor() != 0) SWindow::OnPaint(painter);
        if (ISkinObj* box = this->GetSkin()) box->Draw(painter, BoxDrawRect(), BoxStateIndex());
        if (m_icon.iconSkin) m_icon.iconSkin->Draw(painter, IconRect(), IconStateIndex());
    }

    IconDecoration m_icon;
};

class SCheckBoxEx : public IconToggle<SCheckBox> {
    SOUI_CLASS_NAME(IconToggle<SCheckBox>, "checkex")
public:
    // Box: 2 pushed, else 1 hovered, else the skin's last state when checked, else 0.
    int BoxStateIndex() const override;
    // The client rectangle moved by the icon position, at the icon's size.
    QRect IconRect() const override;
    QPoint TextOffset() const override;
};

class SRadioBoxEx : public IconToggle<SRadioBox> {
    SOUI_CLASS_NAME(IconToggle<SRadioBox>, "radioex")
public:
    bool SetAttribute(const QString& name, const QString& value) override;
    // Box index from the number of states n: disabled 3/2/1/0, checked 2/1/0, hovered 1/0.
    int BoxStateIndex() const override;
    // Gravity 1 centres the box at its own size.
    QRect BoxDrawRect() const override;
    // At the icon x, vertically centred and moved down by the icon y.
    QRect IconRect() const override;
    QPoint TextOffset() const override;
    int Gravity() const { return m_gravity; }

private:
    int m_gravity = 0;
};

}  // namespace SOUI
