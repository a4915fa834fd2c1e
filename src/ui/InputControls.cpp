#include "ui/InputControls.h"

#include <algorithm>

#include "ui/Application.h"

namespace SOUI {

SEdit::SEdit() : m_edit(new QLineEdit) {
    SetControl(m_edit);
    QObject::connect(m_edit, &QLineEdit::textChanged, [this](const QString& text) {
        m_text = text;
        EventRENotify e(this);
        e.iNotify = EN_CHANGE;
        FireEvent(e);
    });
}

void SEdit::SetWindowText(const QString& text) {
    m_text = text;
    m_edit->setText(text);
}

bool SEdit::SetAttribute(const QString& name, const QString& value) {
    if (name == "readonly") {
        m_edit->setReadOnly(value != "0");
    } else if (name == "password") {
        m_edit->setEchoMode(value != "0" ? QLineEdit::Password : QLineEdit::Normal);
    } else if (name == "maxbuf") {
        int n = 0;
        if (ParseInt(value, &n) && n > 0) m_edit->setMaxLength(n);
    } else {
        return SWindow::SetAttribute(name, value);
    }
    return true;
}

bool SEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress && OnKeyDown(static_cast<QKeyEvent*>(event)))
            return true;
        const bool press = event->type() == QEvent::MouseButtonPress;
        const bool release = event->type() == QEvent::MouseButtonRelease;
        if ((press || release) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            OnLeftButton(press))
            return true;
    }
    return SWindow::eventFilter(watched, event);
}

SComboBox::SComboBox() : m_combo(new QComboBox) {
    SetControl(m_combo);
    QObject::connect(m_combo, &QComboBox::currentIndexChanged, [this](int index) {
        if (m_silent) return;
        EventCBSelChange e(this);
        e.nCurSel = index;
        FireEvent(e);
    });
}

bool SComboBox::SetAttribute(const QString& name, const QString& value) {
    if (name == "cursel") {
        int index = -1;
        if (ParseInt(value, &index)) SetCurSel(index);
        return true;
    }
    if (name == "dropdown") {
        m_combo->setEditable(value == "0");
        return true;
    }
    return SWindow::SetAttribute(name, value);
}

bool SComboBox::OnChildElement(pugi::xml_node node) {
    if (std::string_view(node.name()) != "items") return false;
    SApplication* app = SApplication::getSingletonPtr();
    for (pugi::xml_node item : node.children("item")) {
        const QString text = QString::fromUtf8(item.attribute("text").value());
        InsertItem(-1, app ? app->Tr(text) : text, item.attribute("data").as_int(0));
    }
    return true;
}

bool SComboBox::SetCurSel(int index, bool notify) {
    if (index < -1 || index >= m_combo->count()) return false;
    m_silent = true;
    m_combo->setCurrentIndex(index);
    m_silent = false;
    if (notify) {
        EventCBSelChange e(this);
        e.nCurSel = index;
        FireEvent(e);
    }
    return true;
}

int SComboBox::InsertItem(int index, const QString& text, std::intptr_t data) {
    if (index < 0 || index > m_combo->count()) index = m_combo->count();
    m_silent = true;
    m_combo->insertItem(index, text, QVariant::fromValue<qlonglong>(data));
    // A combo box starts without a selection, as the toolkit's does.
    if (m_combo->count() == 1) m_combo->setCurrentIndex(-1);
    m_silent = false;
    return index;
}

void SComboBox::ResetContent() {
    m_silent = true;
    m_combo->clear();
    m_silent = false;
}

std::intptr_t SComboBox::GetItemData(int index) const {
    return static_cast<std::intptr_t>(m_combo->itemData(index).toLongLong());
}

SSliderBar::SSliderBar() : m_slider(new QSlider(Qt::Horizontal)) {
    SetControl(m_slider);
    // A click on the track moves a sixteenth of the range: one step of a 0-15 speed, not the
    // whole way.
    QObject::connect(m_slider, &QSlider::rangeChanged, [this](int min, int max) {
        m_slider->setPageStep(std::max(1, (max - min) / 16));
    });
    QObject::connect(m_slider, &QSlider::valueChanged, [this](int value) {
        if (m_silent) return;
        EventSliderPos e(this);
        e.nPos = value;
        FireEvent(e);
    });
}

bool SSliderBar::SetAttribute(const QString& name, const QString& value) {
    int n = 0;
    if (name == "min" && ParseInt(value, &n))
        m_slider->setMinimum(n);
    else if (name == "max" && ParseInt(value, &n))
        m_slider->setMaximum(n);
    else if (name == "value" && ParseInt(value, &n))
        SetValue(n);
    else if (name == "vertical")
        m_slider->setOrientation(value != "0" ? Qt::Vertical : Qt::Horizontal);
    else if (name != "min" && name != "max" && name != "value")
        return SWindow::SetAttribute(name, value);
    return true;
}

void SSliderBar::SetValue(int value) {
    m_silent = true;
    m_slider->setValue(value);
    m_silent = false;
}

}  // namespace SOUI
