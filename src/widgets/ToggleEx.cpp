#include "widgets/ToggleEx.h"

namespace SOUI {

int SCheckBoxEx::BoxStateIndex() const {
    const ISkinObj* skin = GetSkin();
    const std::uint32_t s = GetState();
    if (s & WndState_PushDown) return 2;
    if (s & WndState_Hover) return 1;
    if ((s & WndState_Check) && skin && skin->GetStates() >= 1) return skin->GetStates() - 1;
    return 0;
}

QRect SCheckBoxEx::IconRect() const {
    if (!m_icon.iconSkin) return {};
    return QRect(rect().topLeft() + m_icon.iconPos, m_icon.iconSkin->GetSkinSize());
}

QPoint SCheckBoxEx::TextOffset() const {
    return {m_icon.textX + m_icon.iconPos.x() + m_icon.IconWidth(),
            m_icon.textY + m_icon.iconPos.y()};
}

bool SRadioBoxEx::SetAttribute(const QString& name, const QString& value) {
    if (name != "gravity") return IconToggle<SRadioBox>::SetAttribute(name, value);
    const QString v = value.toLower();
    if (v == "left" || v == "top")
        m_gravity = 0;
    else if (v == "center")
        m_gravity = 1;
    else if (v == "right" || v == "bottom")
        m_gravity = 2;
    // Any other value is refused and the gravity stays.
    return true;
}

int SRadioBoxEx::BoxStateIndex() const {
    const ISkinObj* skin = GetSkin();
    const int n = skin ? skin->GetStates() : 0;
    const std::uint32_t s = GetState();
    if (s & WndState_Disable) return n >= 4 ? 3 : n >= 3 ? 2 : n >= 2 ? 1 : 0;
    if (s & WndState_Check) return n >= 3 ? 2 : n >= 2 ? 1 : 0;
    if (s & WndState_Hover) return n >= 2 ? 1 : 0;
    return 0;
}

QRect SRadioBoxEx::BoxDrawRect() const {
    if (!GetSkin() || m_gravity != 1) return BoxRect();
    QRect r(QPoint(0, 0), GetSkin()->GetSkinSize());
    r.moveCenter(rect().center());
    return r;
}

QRect SRadioBoxEx::IconRect() const {
    if (!m_icon.iconSkin) return {};
    const QSize size = m_icon.iconSkin->GetSkinSize();
    const QRect client = rect();
    return QRect(client.left() + m_icon.iconPos.x(),
                 client.top() + (client.height() - size.height()) / 2 + m_icon.iconPos.y(),
                 size.width(), size.height());
}

QPoint SRadioBoxEx::TextOffset() const {
    return {m_icon.textX + m_icon.iconPos.x() + m_icon.IconWidth(),
            m_icon.textY + 2 * m_icon.iconPos.y()};
}

}  // namespace SOUI
