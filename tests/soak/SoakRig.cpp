#include "SoakRig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <mutex>

#include "app/DeviceBroadcast.h"
#include "records/SharedShapes.h"
#include "store/ShapeDispatcher.h"
#include "ui/HostDialog.h"
#include "ui/NameIdTable.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

bool SoakWindow::ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                                      SOUI::LRESULT& result) {
    if (msg != SOUI::WM_DEVICECHANGE)
        return CMainDlg::ProcessWindowMessage(msg, wParam, lParam, result);
    result = 0;
    const auto* broadcast = reinterpret_cast<const DeviceBroadcast*>(lParam);
    if (!broadcast || !Logic()) return true;
    if (wParam == DBT_DEVICEARRIVAL)
        Logic()->OnArrival(broadcast->interfacePath);
    else if (wParam == DBT_DEVICEREMOVECOMPLETE)
        Logic()->OnRemove(broadcast->interfacePath);
    return true;
}

SoakRig::SoakRig() : macroPath_(folder_.filePath("macro.xml").toStdString()) {}

SoakRig::~SoakRig() {
    Stop();
    ReleaseMacroFile();
    config_.reset();
    app_.reset();
}

bool SoakRig::Start() {
    if (!folder_.isValid()) {
        problem_ = QStringLiteral("no temporary folder");
        return false;
    }
    const QString uires = QStringLiteral(KEYLUME_SOURCE_UIRES);
    QDir::setCurrent(folder_.path());
    // The layouts name the coordinates files below the program folder, beside "uires".
    app_ = std::make_unique<SOUI::SApplication>(QFileInfo(uires).absolutePath());
    app_->SetNameIdTable(SOUI::ProgramNameIdTable());
    if (!app_->InitResources(uires)) {
        problem_ = QStringLiteral("the UI folder does not load: ") + uires;
        return false;
    }
    config_ = std::make_unique<AppConfig>();
    config_->Load((uires + QStringLiteral("/config.xml")).toStdString());
    macros_ = std::make_unique<MacroFile>(macroPath_);
    groupsSeen_ = std::make_unique<shapes::MacroGroups>();
    app_->LoadTranslator(QStringLiteral("translator:lang_en"));
    SOUI::RegisterExtensionWidgets(app_->Factory(), SOUI::PictureWidgetClasses());

    backend_ = std::make_shared<EmulatedBackend>();
    backend_->SetLatency(std::chrono::microseconds(0));
    // The report log is the emulator's own; kept off, it does not weigh on the memory figures.
    backend_->SetLogging(false);
    window_ = std::make_unique<SoakWindow>(QStringLiteral("LAYOUT:XML_MAINWND"), backend_);
    window_->Create();
    window_->SendMessage(SOUI::WM_INITDIALOG);
    if (!window_->IsWindow()) {
        problem_ = QStringLiteral("the main window closed at start");
        return false;
    }
    window_->ShowWindow(SOUI::SW_SHOWNORMAL);
    Settle();
    return true;
}

void SoakRig::Settle() {
    for (int i = 0; i < 4; ++i) {
        ShapeDispatcher::waitIdle(std::chrono::seconds(4));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

std::list<MacroRecordGroup> SoakRig::ProgramGroups() {
    if (!groupsSeen_) return {};
    std::lock_guard lock(groupsSeen_->mutex());
    if (groupsSeen_->count == 0) return {};
    return groupsSeen_->data()[0];
}

void SoakRig::Stop() {
    SOUI::SHostDialog::SetModalAnswerer({});
    if (!window_) return;
    if (window_->IsWindow()) window_->DestroyWindow();
    Settle();
    window_.reset();
    ShapeDispatcher::waitIdle(std::chrono::seconds(5));
    Settle();
}

void SoakRig::ReleaseMacroFile() {
    groupsSeen_.reset();
    macros_.reset();
}
