#include "OffscreenApp.h"

#include <QApplication>
#include <QByteArray>

#include "ui/NameIdTable.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

SOUI::SApplication& OffscreenApplication() {
    static SOUI::SApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        // The program folder is the one that holds the UI folder.
        auto* created = new SOUI::SApplication(QStringLiteral(KEYLUME_PROGRAM_FOLDER));
        created->SetNameIdTable(SOUI::ProgramNameIdTable());
        created->InitResources(QStringLiteral(KEYLUME_PROGRAM_FOLDER "/uires"));
        SOUI::RegisterExtensionWidgets(created->Factory(), SOUI::PictureWidgetClasses());
        return created;
    }();
    return *app;
}

SOUI::SApplication& OffscreenApplicationWith(const QString& resName, const std::uint8_t* data,
                                             std::size_t size) {
    SOUI::SApplication& app = OffscreenApplication();
    app.GetResProvider().AddBuiltin(
        resName, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return app;
}

void FlushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Qt starts before the first input, so its start-up is not taken for the input's work.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OffscreenApplication();
    return 0;
}

// The font configuration library keeps caches it never frees; they are not the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
