#pragma once
// The program from its toolkit set-up to its teardown, on the UI thread of a running
// QApplication.
#include <QString>
#include <memory>
#include <string>

#include "device/HidBackend.h"
#include "persist/AppPaths.h"

struct StartUpSettings {
    AppPaths paths;
    QString programFolder;  // the executable's folder: the upgrade program lives there
    std::shared_ptr<HidBackend> backend;
    QString screenshot;  // empty: run until the window is closed
};

// The translation document for the configured language: only "cn" selects Chinese.
QString TranslatorFor(const std::wstring& language);

// 0 for a second instance, otherwise the message loop's result (1 when a requested
// screenshot could not be written).
int RunStartUp(const StartUpSettings& settings);
