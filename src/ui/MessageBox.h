#pragma once
// Message box built from "LAYOUT:SYS_XML_MSGBOX": "msgtitle" shows the caption,
// "msgtext" the text; the buttons with ids IDOK and IDCANCEL answer.
#include <QString>

#include "ui/WinDefs.h"

namespace SOUI {

// Returns IDOK or IDCANCEL; MB_OK shows only the OK button.
int SMessageBox(HWND owner, const QString& text, const QString& caption, UINT type);

}  // namespace SOUI
