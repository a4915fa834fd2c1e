#pragma once
// Message box built from "LAYOUT:SYS_XML_MSGBOX": "msgtitle" shows the caption,
// "msgtext" the text; the buttons with ids IDOK and IDCANCEL answer.
#include <QString>
#include <QStringList>

#include "ui/WinDefs.h"

namespace SOUI {

// Returns IDOK or IDCANCEL; MB_OK shows only the OK button. MB_YESNOCANCEL returns IDYES, IDNO
// or IDCANCEL, its first two buttons labelled `yes` and `no` (translated here).
int SMessageBox(HWND owner, const QString& text, const QString& caption, UINT type,
                const QString& yes = QStringLiteral("Yes"),
                const QString& no = QStringLiteral("No"));

// A box built from "LAYOUT:SYS_XML_LISTBOX": the text, then `list` one entry a line in "msglist",
// which scrolls, and the OK button labelled `ok`. Returns IDOK or IDCANCEL; Escape cancels.
int SListMessageBox(HWND owner, const QString& text, const QStringList& list,
                    const QString& caption, const QString& ok);

}  // namespace SOUI
