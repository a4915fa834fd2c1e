#include "ui/BoxText.h"

#include "ui/Application.h"
#include "ui/HostDialog.h"

namespace SOUI {

void ShowBoxText(SHostDialog& box, const QString& text, const QString& caption) {
    SWindow* root = box.GetRoot();
    if (SWindow* t = root->FindChildByName("msgtext")) {
        t->SetWindowText(Translated(text));
        t->setAccessibleName(Translated(text));
    }
    if (SWindow* t = root->FindChildByName("msgtitle")) t->SetWindowText(Translated(caption));
    if (QWidget* frame = box.GetFrame()) frame->setWindowTitle(Translated(caption));
}

}  // namespace SOUI
