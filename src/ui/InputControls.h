#pragma once
// Edit, combo box and slider on Qt's controls.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

#include "ui/SWindow.h"

namespace SOUI {

// Text changes (typed or set) fire EventRENotify with EN_CHANGE.
class SEdit : public SWindow {
    SOUI_CLASS_NAME(SWindow, "edit")
public:
    SEdit();
    void SetWindowText(const QString& text) override;
    QString GetWindowText() const override { return m_edit->text(); }
    bool SetAttribute(const QString& name, const QString& value) override;
    QLineEdit* LineEdit() const { return m_edit; }

protected:
    // Hooks for derived edits; true consumes the input before the edit sees it.
    virtual bool OnKeyDown(QKeyEvent*) { return false; }
    virtual bool OnLeftButton(bool /*down*/) { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
};

// A drop-down list. Programmatic selection notifies only when asked to.
class SComboBox : public SWindow {
    SOUI_CLASS_NAME(SWindow, "combobox")
public:
    SComboBox();
    bool SetAttribute(const QString& name, const QString& value) override;
    bool OnChildElement(pugi::xml_node node) override;

    int GetCount() const { return m_combo->count(); }
    int GetCurSel() const { return m_combo->currentIndex(); }
    // -1 clears the selection; an index out of range selects nothing and is refused.
    bool SetCurSel(int index, bool notify = false);
    // Inserts before index (-1 or past the end appends); returns the item's index.
    int InsertItem(int index, const QString& text, std::intptr_t data = 0);
    void ResetContent();
    QString GetLBText(int index) const { return m_combo->itemText(index); }
    std::intptr_t GetItemData(int index) const;
    QComboBox* Combo() const { return m_combo; }

private:
    QComboBox* m_combo;
    bool m_silent = false;
};

// A slider; moving it fires EventSliderPos. Setting the value from code does not.
class SSliderBar : public SWindow {
    SOUI_CLASS_NAME(SWindow, "sliderbar")
public:
    SSliderBar();
    bool SetAttribute(const QString& name, const QString& value) override;
    void SetValue(int value);
    int GetValue() const { return m_slider->value(); }
    void SetRange(int min, int max) { m_slider->setRange(min, max); }
    QSlider* Slider() const { return m_slider; }

private:
    QSlider* m_slider;
    bool m_silent = false;
};

}  // namespace SOUI
