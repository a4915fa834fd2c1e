#pragma once
// The keyboard opened by the command process itself, when no window runs: the program's
// settings and macro file, the keyboard logic on its own link, and a client of its shapes. The
// keyboard is opened and read by Connect and closed on destruction.
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "logic/KeyboardLogic.h"
#include "ops/KeyboardClient.h"
#include "ops/KeyboardOperations.h"
#include "ops/RefusalWatch.h"
#include "ops/RulesEndpoint.h"
#include "persist/AppConfig.h"
#include "persist/AppPaths.h"
#include "persist/MacroFile.h"

class LocalKeyboard {
public:
    LocalKeyboard(const AppPaths& paths, std::shared_ptr<HidBackend> backend,
                  MacroFile::Saving saving = MacroFile::Saving::OnChange);
    ~LocalKeyboard();
    LocalKeyboard(const LocalKeyboard&) = delete;
    LocalKeyboard& operator=(const LocalKeyboard&) = delete;

    // Builds the keyboard logic, which opens the keyboard and reads it.
    void Connect();
    KeyboardOperations& Operations() { return *operations_; }
    RefusalWatch& Watch() { return *watch_; }
    // Which settings file was read and why, when it was not the user's own; empty otherwise.
    const std::string& ConfigNote() const { return configNote_; }

private:
    // Built first, so that the client adopts their lists as the window's screens do.
    AppConfig config_;
    std::string configNote_;
    std::unique_ptr<MacroFile> macros_;
    FileRules rules_;
    std::shared_ptr<RefusalWatch> watch_;
    std::unique_ptr<KeyboardClient> client_;  // made once the lists are loaded
    DeviceLink link_;
    std::unique_ptr<KeyboardLogic> logic_;
    std::unique_ptr<KeyboardOperations> operations_;
};
