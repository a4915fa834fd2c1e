#pragma once
// Message box built from "LAYOUT:SYS_XML_MSGBOX": "msgtitle" shows the caption,
// "msgtext" the text; the buttons with ids IDOK and IDCANCEL answer.
#include <QString>

#include "ui/WinDefs.h"

namespace SOUI {

// Returns IDOK or IDCANCEL; MB_OK shows only the OK button. MB_YESNOCANCEL returns IDYES, IDNO
// or IDCANCEL, its first two buttons labelled `yes` and `no` (translated here).
int SMessageBox(HWND owner, const QString& text, const QString& caption, UINT type,
                const QString& yes = QStringLiteral("Yes"),
                const QString& no = QStringLiteral("No"));

}  // namespace SOUI
