#include "ui/BusyBox.h"

#include <QObject>
#include <thread>

#include "ui/BoxText.h"
#include "ui/HostDialog.h"

namespace SOUI {
namespace {

class BusyDialog : public SHostDialog {
public:
    BusyDialog(QString text, QString caption, const std::function<void()>& work)
        : SHostDialog("LAYOUT:SYS_XML_MSGBOX"),
          text_(std::move(text)),
          caption_(std::move(caption)),
          work_(work) {}
    // The work may outlive the box (a test's answerer ends every box at once).
    ~BusyDialog() override { Wait(); }

    void Wait() {
        if (worker_.joinable()) worker_.join();
    }
    bool Started() const { return started_; }

protected:
    bool ProcessWindowMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_INITDIALOG) return false;
        ShowBoxText(*this, text_, caption_);
        SWindow* root = GetRoot();
        for (int id : {IDOK, IDCANCEL, IDNO})
            if (SWindow* button = root->FindChildByID(id)) button->SetVisible(false);
        // The end is posted to this thread; a box already gone drops it with its context.
        started_ = true;
        worker_ = std::thread([this] {
            work_();
            QMetaObject::invokeMethod(
                &context_, [this] { EndDialog(IDOK); }, Qt::QueuedConnection);
        });
        result = 0;
        return true;
    }

    // The box goes when the work is done, not when asked to close.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CLOSE) return 0;
        return SHostDialog::DefWindowProc(msg, wParam, lParam);
    }

private:
    QString text_;
    QString caption_;
    const std::function<void()>& work_;
    QObject context_;
    bool started_ = false;
    std::thread worker_;  // last: joined before the other members go
};

}  // namespace

void SRunBusy(HWND owner, const QString& text, const QString& caption,
              const std::function<void()>& work) {
    BusyDialog box(text, caption, work);
    box.DoModal(owner);
    box.Wait();
    // A box that never came up did not start the work either.
    if (!box.Started()) work();
}

}  // namespace SOUI
