#include "support/IdleProgram.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "app/DeviceBackends.h"
#include "app/MainDlg.h"
#include "app/StartUp.h"
#include "support/ScopedVariable.h"
#include "ui/SOUI.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kStartUpLimit = 20s;
constexpr auto kStartUpCheck = 50ms;
// The last paints and deliveries of start-up, or of hiding, end within this.
constexpr auto kSettle = 1s;

// Lets the program run for `span`; the harness itself wakes only once, at the end.
void RunEventsFor(std::chrono::milliseconds span) {
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

CMainDlg* FindMainWindow() {
    for (QWidget* frame : QApplication::topLevelWidgets()) {
        SOUI::SHostWnd* host = SOUI::SHostWnd::FromHandle(SOUI::SHostWnd::HandleOfFrame(frame));
        if (auto* window = dynamic_cast<CMainDlg*>(host)) return window;
    }
    return nullptr;
}

// The connection read has reached the window once the mode list is filled.
bool ShowsTheKeyboard(CMainDlg& window) {
    auto* modes = window.GetRoot()->FindChildByName2<SOUI::SComboBox>(
        QStringLiteral("cmb_mainled_light_mode_normal"));
    return modes && modes->GetCount() > 0;
}

CMainDlg* WaitForTheKeyboardWindow() {
    const auto end = std::chrono::steady_clock::now() + kStartUpLimit;
    while (std::chrono::steady_clock::now() < end) {
        CMainDlg* window = FindMainWindow();
        if (window && ShowsTheKeyboard(*window)) return window;
        RunEventsFor(kStartUpCheck);
    }
    return nullptr;
}

ActivityRate MeasureFor(std::chrono::milliseconds span) {
    RunEventsFor(kSettle);
    const ActivitySample before = SampleActivity();
    RunEventsFor(span);
    return RateBetween(before, SampleActivity());
}

StartUpSettings SettingsIn(const QTemporaryDir& folder) {
    const std::filesystem::path user = folder.path().toStdString();
    StartUpSettings settings;
    settings.paths.portable = true;
    settings.paths.dataFolder = KEYLUME_SOURCE_DIR;
    settings.paths.userFolder = user;
    settings.paths.configFile = settings.paths.uiFolder() / "config.xml";
    settings.paths.macroFile = user / "macro.xml";
    settings.programFolder = folder.path();
    settings.backend = MakeHidBackend(Emulation::Keyboard, user / "emulated-keyboard.state");
    return settings;
}

}  // namespace

IdleFigures MeasureIdleProgram(std::chrono::milliseconds span) {
    QTemporaryDir folder;
    const QString savedDir = QDir::currentPath();
    // The single-instance socket and lock live in these folders, so a running copy of the
    // program is not asked to show itself instead.
    const QByteArray own = folder.path().toUtf8();
    ScopedVariable tmp("TMPDIR", own.constData());
    ScopedVariable runtime("XDG_RUNTIME_DIR", own.constData());

    IdleFigures figures;
    QObject harness;  // cancels the measurement if start-up ends without a message loop
    QTimer::singleShot(0, &harness, [&] {
        CMainDlg* window = WaitForTheKeyboardWindow();
        if (!window) window = FindMainWindow();
        if (!window) return;
        figures.keyboardShown = ShowsTheKeyboard(*window);
        if (figures.keyboardShown) {
            figures.shown = MeasureFor(span);
            window->ShowWindow(SOUI::SW_HIDE);
            figures.hidden = MeasureFor(span);
        }
        window->DestroyWindow();
    });
    RunStartUp(SettingsIn(folder));
    QDir::setCurrent(savedDir);
    return figures;
}
