#include "app/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/FrontFollowing.h"
#include "app/MacroFileNotices.h"
#include "app/MainDlg.h"
#include "app/SingleInstance.h"
#include "app/StallLog.h"
#include "app/WindowScreenshot.h"
#include "bus/KeyboardBusService.h"
#include "persist/AppConfig.h"
#include "persist/DesktopLanguage.h"
#include "persist/MacroFile.h"
#include "store/ShapeDispatcher.h"
#include "ui/Application.h"
#include "ui/HostDialog.h"
#include "ui/NameIdTable.h"
#include "widgets/ExtensionWidgets.h"
#include "widgets/PictureWidgets.h"

using namespace SOUI;

namespace {

constexpr auto kShutdownWait = std::chrono::seconds(5);

// The language "config.xml" names, else the desktop's.
std::wstring LanguageOf(const AppConfig& config) {
    if (config.language().count > 0 && !config.language().current().empty())
        return config.language().current();
    return persist::DesktopLanguage([](const char* name) { return std::getenv(name); },
                                    QLocale::system().name().toStdString());
}

QString Path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

QString TranslatorFor(const std::wstring& language) {
    return language == L"cn" ? QStringLiteral("translator:lang_cn")
                             : QStringLiteral("translator:lang_en");
}

int RunStartUp(const StartUpSettings& settings) {
    QDir::setCurrent(Path(settings.paths.dataFolder));

    auto app = std::make_unique<SApplication>(settings.programFolder);
    app->SetNameIdTable(ProgramNameIdTable());
    if (!app->InitResources(Path(settings.paths.uiFolder()))) {
        // Without its layouts the program could only show an empty window.
        std::fprintf(stderr, "keylume: the user interface files are missing from %s\n",
                     settings.paths.uiFolder().c_str());
        return 1;
    }

    settings.paths.PrepareUserFolder();
    auto config = std::make_unique<AppConfig>();
    const std::string configNote =
        config->LoadWithFallback(settings.paths.configFile, settings.paths.shippedConfigFile);
    if (!configNote.empty()) std::fprintf(stderr, "keylume: %s\n", configNote.c_str());
    auto macros = std::make_unique<MacroFile>(settings.paths.macroFile);

    app->LoadTranslator(TranslatorFor(LanguageOf(*config)));
    RegisterExtensionWidgets(app->Factory(), PictureWidgetClasses());

    auto instance = std::make_unique<SingleInstance>(app->GetString(1));
    if (!instance->Acquire(settings.activationToken)) return 0;

    std::unique_ptr<ScopedModalAnswerer> unattended;
    if (!settings.screenshot.isEmpty()) {
        // Nobody is there to answer: a question ends as Cancel and the run without a picture.
        unattended = std::make_unique<ScopedModalAnswerer>(
            [](SHostDialog& dialog) { dialog.EndDialog(IDCANCEL); });
    }

    auto window =
        std::make_unique<CMainDlg>(QStringLiteral("LAYOUT:XML_MAINWND"), settings.backend);
    const HWND hwnd = window->Create(SHostWnd::HandleOfFrame(QApplication::activeWindow()));
    // Before the keyboard is read, which may already save the macro file: what the file reports
    // then is shown once the window is up.
    auto notices = std::make_unique<MacroFileNotices>(*macros, hwnd);
    // Made before the keyboard logic, so that it hears the connection read.
    auto bus = std::make_unique<KeyboardBusService>(settings.refusals.get(),
                                                    settings.paths.uiFolder(), settings.emulation);
    window->SendMessage(WM_INITDIALOG);
    window->UseSettingsBackup(bus->Operations());
    auto following = std::make_unique<FrontFollowing>(bus->Operations(), settings.paths);
    bus->UseRules(&following->Switch());
    bus->Operations().UseRules(&following->Switch());
    window->UseAutostart(settings.emulation);
    window->UseRules(&following->Switch());
    window->UseLanguageChoice(std::make_unique<LanguageChoice>(
        settings.paths.userFolder / "config.xml", settings.paths.configFile));
    // A window on its way out (the upgrade program could not start) is not shown again.
    if (window->IsWindow() && window->ExitCode() == 0) {
        window->CenterWindow();
        if (settings.background)
            window->ShowInBackground();
        else
            window->ShowWindow(SW_SHOWNORMAL);
        // Without a session bus the commands open the keyboard themselves, after the window.
        bus->Publish();
    }
    std::unique_ptr<WindowScreenshot> screenshot;
    if (!settings.screenshot.isEmpty() && window->IsWindow())
        screenshot = std::make_unique<WindowScreenshot>(*window, settings.screenshot);

    auto stalls = StallLog::FromEnvironment();
    int result = app->Run(hwnd);
    stalls.reset();
    if (window->IsWindow()) window->DestroyWindow();
    if (result == 0) result = window->ExitCode();
    if (!settings.screenshot.isEmpty() && !(screenshot && screenshot->Saved())) {
        std::fprintf(stderr, "no screenshot: the keyboard was not read\n");
        result = 1;
    }

    screenshot.reset();
    bus->UseRules(nullptr);
    bus->Operations().UseRules(nullptr);
    window->UseRules(nullptr);
    following.reset();
    bus.reset();
    notices.reset();
    window.reset();
    unattended.reset();
    app.reset();
    // Changes still on their way may rewrite "macro.xml"; they finish before its owner goes.
    ShapeDispatcher::waitIdle(kShutdownWait);
    macros.reset();
    config.reset();
    instance.reset();
    return result;
}
