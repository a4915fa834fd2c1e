#include "app/LanguageChoice.h"

#include "persist/ConfigLanguage.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

void LanguageChoice::Choose(SOUI::HWND owner, const std::wstring& language) const {
    std::error_code error;
    // The user's own file once there is one, else the file read at start-up.
    const std::filesystem::path& source =
        std::filesystem::is_regular_file(userFile_, error) ? userFile_ : readFile_;
    const files::Replaced saved = persist::SaveConfigLanguage(userFile_, source, language);
    const QString text =
        saved ? SOUI::Translated("The chosen language shows when Keylume starts again.")
              : SOUI::Translated("The language could not be saved: %1")
                    .arg(QString::fromStdString(saved.error));
    SOUI::SMessageBox(owner, text, SOUI::Translated("Language"), SOUI::MB_OK);
}
