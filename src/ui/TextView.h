#pragma once
// Read-only text of many lines that scrolls when it is long: what the user reads through before
// answering a box.
#include <QPlainTextEdit>

#include "ui/SWindow.h"

namespace SOUI {

class STextView : public SWindow {
    SOUI_CLASS_NAME(SWindow, "textview")
public:
    STextView();
    void SetWindowText(const QString& text) override;

private:
    QPlainTextEdit* m_text;
};

}  // namespace SOUI
