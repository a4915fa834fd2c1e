#include "UiTestSupport.h"

#include <QCoreApplication>

namespace uitest {

QApplication& EnsureQApp() {
    static int argc = 1;
    static char name[] = "keylume_ui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* qapp = new QApplication(argc, argv);
    return *qapp;
}

void ProcessEvents() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QString ResourceFolder() {
    return QStringLiteral(KEYLUME_UI_TEST_RES);
}

void UiTest::SetUp() {
    EnsureQApp();
    app = std::make_unique<SOUI::SApplication>();
    app->SetNameIdTable(SOUI::ProgramNameIdTable());
    ASSERT_TRUE(app->InitResources(ResourceFolder()));
}

void UiTest::TearDown() {
    SOUI::SHostDialog::SetModalAnswerer({});
    SOUI::SMenuBase::SetMenuAnswerer({});
    ProcessEvents();
    app.reset();
}

int CountOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t pos = text.find(needle); pos != std::string::npos;
         pos = text.find(needle, pos + needle.size()))
        ++n;
    return n;
}

}  // namespace uitest

// The system's font configuration library keeps caches for the life of the process; the
// leak checker of sanitizer builds is told to leave them alone.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
