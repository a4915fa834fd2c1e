#pragma once
// A modal host window. Tests answer modal dialogs (message boxes included) through an
// answerer that runs inside the modal loop and clicks, or ends the dialog, as a user would.
#include <functional>

#include "ui/HostWnd.h"

class QEventLoop;

namespace SOUI {

class SHostDialog : public SHostWnd {
public:
    explicit SHostDialog(QString layoutName = QString());
    ~SHostDialog() override;

    // Creates the window, sends WM_INITDIALOG, shows it centred and runs a loop until
    // EndDialog; returns the end code. The window is destroyed on return.
    int DoModal(HWND parent = kNoWindow);
    void EndDialog(int code);
    bool IsModalRunning() const { return m_loop != nullptr; }

    using Answerer = std::function<void(SHostDialog&)>;
    // Installed answerers run once each modal loop has started; an empty one uninstalls.
    static void SetModalAnswerer(Answerer answerer);

protected:
    // Commands from widgets with id IDOK or IDCANCEL end the dialog with that id.
    bool OnDefaultEvent(EventArgs* e) override;
    // WM_CLOSE ends a modal dialog with IDCANCEL.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A dialog destroyed while its loop runs ends the loop.
    void OnFinalMessage() override;

private:
    QEventLoop* m_loop = nullptr;
    int m_code = IDCANCEL;
    bool m_ended = false;
};

// Installs an answerer for the lifetime of the object.
class ScopedModalAnswerer {
public:
    explicit ScopedModalAnswerer(SHostDialog::Answerer answerer) {
        SHostDialog::SetModalAnswerer(std::move(answerer));
    }
    ~ScopedModalAnswerer() { SHostDialog::SetModalAnswerer({}); }
    ScopedModalAnswerer(const ScopedModalAnswerer&) = delete;
    ScopedModalAnswerer& operator=(const ScopedModalAnswerer&) = delete;
};

}  // namespace SOUI
