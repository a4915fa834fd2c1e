#include "ui/TextView.h"

namespace SOUI {

STextView::STextView() : m_text(new QPlainTextEdit) {
    SetControl(m_text);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the box's buttons instead of staying in the text.
    m_text->setTabChangesFocus(true);
}

void STextView::SetWindowText(const QString& text) {
    SWindow::SetWindowText(text);
    m_text->setPlainText(text);
    setAccessibleName(text);
}

}  // namespace SOUI
