#pragma once
// The text and caption of a box built from "LAYOUT:SYS_XML_MSGBOX".
#include <QString>

namespace SOUI {

class SHostDialog;

// Shows both translated; screen readers read the text out.
void ShowBoxText(SHostDialog& box, const QString& text, const QString& caption);

}  // namespace SOUI
