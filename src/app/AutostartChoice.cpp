#include "app/AutostartChoice.h"

#include <filesystem>

#include "app/PresenceMessages.h"
#include "persist/AutostartEntry.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

std::filesystem::path EntryFile() {
    return persist::AutostartFile(AppPaths::Environment::FromProcess());
}

}  // namespace

bool AutostartChosen() {
    return persist::AutostartOn(EntryFile());
}

void ToggleAutostart(SOUI::HWND owner, const QString& emulation) {
    const std::filesystem::path file = EntryFile();
    std::string error;
    if (persist::AutostartOn(file)) {
        error = persist::RemoveAutostart(file);
    } else {
        std::vector<std::string> arguments{"--background"};
        if (!emulation.isEmpty()) arguments.push_back("--emulate=" + emulation.toStdString());
        std::error_code ignored;
        error = persist::WriteAutostart(
            file, std::filesystem::read_symlink("/proc/self/exe", ignored), arguments);
    }
    if (error.empty()) return;
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    const QString text = QStringLiteral("Start with the desktop could not be changed: %1");
    SOUI::SMessageBox(owner, (app ? app->Tr(text) : text).arg(QString::fromStdString(error)),
                      QString::fromUtf8(kWarningCaption), SOUI::MB_OK);
}
