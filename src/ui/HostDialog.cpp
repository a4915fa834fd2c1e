#include "ui/HostDialog.h"

#include <QEventLoop>
#include <QTimer>

namespace SOUI {
namespace {
SHostDialog::Answerer& GlobalAnswerer() {
    static SHostDialog::Answerer answerer;
    return answerer;
}
}  // namespace

SHostDialog::SHostDialog(QString layoutName) : SHostWnd(std::move(layoutName)) {
    m_dialog = true;
}

SHostDialog::~SHostDialog() {
    if (m_loop) m_loop->exit();
}

void SHostDialog::SetModalAnswerer(Answerer answerer) {
    GlobalAnswerer() = std::move(answerer);
}

int SHostDialog::DoModal(HWND parent) {
    m_ended = false;
    m_code = IDCANCEL;
    if (!IsWindow()) Create(parent);
    if (QWidget* frame = GetFrame()) frame->setWindowModality(Qt::ApplicationModal);
    SendMessage(WM_INITDIALOG);
    if (!m_ended && IsWindow()) {
        CenterWindow();
        ShowWindow(SW_SHOWNORMAL);
        QEventLoop loop;
        m_loop = &loop;
        if (GlobalAnswerer()) {
            Answerer answerer = GlobalAnswerer();
            QTimer::singleShot(0, &loop, [this, answerer] { answerer(*this); });
        }
        if (!m_ended && IsWindow()) loop.exec();
        m_loop = nullptr;
    }
    DestroyWindow();
    return m_code;
}

void SHostDialog::EndDialog(int code) {
    m_code = code;
    m_ended = true;
    if (m_loop) m_loop->exit();
}

bool SHostDialog::OnDefaultEvent(EventArgs* e) {
    if (e->id == EVT_CMD && (e->idFrom == IDOK || e->idFrom == IDCANCEL)) {
        EndDialog(e->idFrom);
        return true;
    }
    return SHostWnd::OnDefaultEvent(e);
}

LRESULT SHostDialog::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE && m_loop) {
        EndDialog(IDCANCEL);
        return 0;
    }
    return SHostWnd::DefWindowProc(msg, wParam, lParam);
}

void SHostDialog::OnFinalMessage() {
    if (m_loop) m_loop->exit();
}

}  // namespace SOUI
