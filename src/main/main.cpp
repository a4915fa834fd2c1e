#include <QApplication>
#include <cstdio>

#include "app/DeviceBackends.h"
#include "app/LaunchOptions.h"
#include "app/ShowRequest.h"
#include "app/StartUp.h"
#include "main/CliMain.h"
#include "ops/RefusalWatch.h"
#include "trace/Trace.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("keylume"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KEYLUME_VERSION));
    if (const auto status = RunCommandLine(argc, argv)) return *status;

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    // Answered before any window system is needed, so they work without a display.
    const LaunchRequest request = ParseLaunchArguments(arguments);
    switch (request.action) {
        case LaunchRequest::Action::Help:
            std::fputs(request.text.toLocal8Bit().constData(), stdout);
            return 0;
        case LaunchRequest::Action::Version:
            std::fputs(request.text.toLocal8Bit().constData(), stdout);
            return 0;
        case LaunchRequest::Action::Error:
            std::fprintf(stderr, "%s\n", request.text.toLocal8Bit().constData());
            return 2;
        case LaunchRequest::Action::Run:
            break;
    }

    const QByteArray activationToken = showrequest::TokenFromEnvironment();
    // The window shows its usual trace lines; -v adds the report traffic.
    trace::SetLevel(request.options.verbosity > 0 ? trace::Level::Hid : trace::Level::Info);
    QApplication application(argc, argv);
    // Ties the window to the desktop entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(KEYLUME_APP_ID));
    StartUpSettings settings;
    settings.paths = AppPaths::ForThisProcess();
    settings.programFolder = QCoreApplication::applicationDirPath();
    settings.refusals = std::make_shared<RefusalWatch>(
        MakeHidBackend(request.options.emulation, EmulatedKeyboardStateFile()));
    settings.backend = settings.refusals;
    settings.emulation = EmulationText(request.options.emulation);
    settings.screenshot = request.options.screenshot;
    settings.background = request.options.background;
    settings.activationToken = activationToken;
    return RunStartUp(settings);
}
