#pragma once
// The program from its toolkit set-up to its teardown, on the UI thread of a running
// QApplication.
#include <QByteArray>
#include <QString>
#include <memory>
#include <string>

#include "device/HidBackend.h"
#include "persist/AppPaths.h"

class RefusalWatch;

struct StartUpSettings {
    AppPaths paths;
    QString programFolder;  // the executable's folder: the upgrade program lives there
    std::shared_ptr<HidBackend> backend;
    QString screenshot;       // empty: run until the window is closed
    bool background = false;  // the window starts in the tray, or minimised where there is none
    // Offered on the session bus with the window: the keyboard's watch on refused reports (may
    // be null) and the emulated setup's name (empty for the real keyboard).
    std::shared_ptr<RefusalWatch> refusals;
    QString emulation;
    // What this start was launched with to bring a window forward; a second start hands it on.
    QByteArray activationToken;
};

// The translation document for the configured language: only "cn" selects Chinese.
QString TranslatorFor(const std::wstring& language);

// 0 for a second instance, otherwise the message loop's result (1 when a requested
// screenshot could not be written).
int RunStartUp(const StartUpSettings& settings);
