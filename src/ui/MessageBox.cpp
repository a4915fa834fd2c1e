#include "ui/MessageBox.h"

#include <QKeySequence>
#include <QShortcut>

#include "ui/Application.h"
#include "ui/BoxText.h"
#include "ui/HostDialog.h"

namespace SOUI {
namespace {

class MessageBoxDialog : public SHostDialog {
public:
    MessageBoxDialog(QString text, QString caption, UINT type, QString yes, QString no,
                     QStringList list = {})
        : SHostDialog(list.isEmpty() ? "LAYOUT:SYS_XML_MSGBOX" : "LAYOUT:SYS_XML_LISTBOX"),
          m_list(std::move(list)),
          m_text(std::move(text)),
          m_caption(std::move(caption)),
          m_type(type),
          m_yes(std::move(yes)),
          m_no(std::move(no)) {}

protected:
    bool ProcessWindowMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_INITDIALOG) return false;
        ShowBoxText(*this, m_text, m_caption);
        SWindow* root = GetRoot();
        if (SWindow* list = root->FindChildByName("msglist")) {
            list->SetWindowText(m_list.join(QLatin1Char('\n')));
            if (SWindow* ok = root->FindChildByID(IDOK)) ok->SetWindowText(Translated(m_yes));
        }
        const bool onlyOk = (m_type & 0xF) == MB_OK;
        if (onlyOk)
            if (SWindow* cancel = root->FindChildByID(IDCANCEL)) cancel->SetVisible(false);
        if ((m_type & 0xF) == MB_YESNOCANCEL) {
            if (SWindow* yes = root->FindChildByID(IDOK)) yes->SetWindowText(Translated(m_yes));
            if (SWindow* no = root->FindChildByID(IDNO)) {
                no->SetWindowText(Translated(m_no));
                no->SetVisible(true);
            }
        }
        // Enter answers with the default button, Escape with Cancel (or the only button).
        if (QWidget* frame = GetFrame()) {
            for (int key : {Qt::Key_Return, Qt::Key_Enter})
                QObject::connect(new QShortcut(QKeySequence(key), frame), &QShortcut::activated,
                                 frame, [this] { EndDialog(IDOK); });
            QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), frame),
                             &QShortcut::activated, frame,
                             [this, onlyOk] { EndDialog(onlyOk ? IDOK : IDCANCEL); });
        }
        result = 0;
        return true;
    }

    bool OnDefaultEvent(EventArgs* e) override {
        if (e->id == EVT_CMD && e->idFrom == IDNO) {
            EndDialog(IDNO);
            return true;
        }
        return SHostDialog::OnDefaultEvent(e);
    }

private:
    QStringList m_list;
    QString m_text;
    QString m_caption;
    UINT m_type;
    QString m_yes;
    QString m_no;
};

}  // namespace

int SListMessageBox(HWND owner, const QString& text, const QStringList& list,
                    const QString& caption, const QString& ok) {
    MessageBoxDialog box(text, caption, MB_OKCANCEL, ok, {},
                         list.isEmpty() ? QStringList{""} : list);
    return box.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
}

int SMessageBox(HWND owner, const QString& text, const QString& caption, UINT type,
                const QString& yes, const QString& no) {
    MessageBoxDialog box(text, caption, type, yes, no);
    const int code = box.DoModal(owner);
    // With only an OK button every way of closing the box counts as OK.
    if ((type & 0xF) == MB_OK) return IDOK;
    if ((type & 0xF) == MB_YESNOCANCEL && code == IDOK) return IDYES;
    return code;
}

}  // namespace SOUI
