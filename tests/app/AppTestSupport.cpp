#include "AppTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "ui/UiTestSupport.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

namespace apptest {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

QString UiFolder() {
    return uitest::ResourceFolder();
}

void AppTest::SetUp() {
    uitest::EnsureQApp();
    ASSERT_TRUE(programFolder.isValid());
    app = std::make_unique<SOUI::SApplication>(ProgramFolderPath());
    app->SetNameIdTable(SOUI::ProgramNameIdTable());
    ASSERT_TRUE(app->InitResources(UiFolder()));
    SOUI::RegisterExtensionWidgets(app->Factory(), SOUI::PictureWidgetClasses());
}

void AppTest::TearDown() {
    SOUI::SHostDialog::SetModalAnswerer({});
    SOUI::SMenuBase::SetMenuAnswerer({});
    uitest::ProcessEvents();
    app.reset();
}

void AppTest::AnswerBoxesWith(int buttonId) {
    SOUI::SHostDialog::SetModalAnswerer([this, buttonId](SOUI::SHostDialog& box) {
        SOUI::SWindow* root = box.GetRoot();
        ShownBox shown;
        if (SOUI::SWindow* text = root->FindChildByName("msgtext"))
            shown.text = text->GetWindowText();
        if (SOUI::SWindow* caption = root->FindChildByName("msgtitle"))
            shown.caption = caption->GetWindowText();
        SOUI::SWindow* cancel = root->FindChildByID(SOUI::IDCANCEL);
        shown.cancelShown = cancel && !cancel->isHidden();
        boxes.push_back(shown);
        if (SOUI::SWindow* button = root->FindChildByID(buttonId)) button->FireCommand();
    });
}

std::unique_ptr<CMainDlg> AppTest::StartMainWindow(std::shared_ptr<HidBackend> backend) {
    auto window =
        std::make_unique<CMainDlg>(QStringLiteral("LAYOUT:XML_MAINWND"), std::move(backend));
    window->Create();
    window->SendMessage(SOUI::WM_INITDIALOG);
    if (window->IsWindow()) window->ShowWindow(SOUI::SW_SHOWNORMAL);
    return window;
}

}  // namespace apptest
