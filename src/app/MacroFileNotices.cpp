#include "app/MacroFileNotices.h"

#include "app/PresenceMessages.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

QString Translated(const char* text) {
    const QString source = QString::fromUtf8(text);
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    return app ? app->Tr(source) : source;
}

}  // namespace

MacroFileNotices::MacroFileNotices(MacroFile& file, SOUI::HWND owner) : file_(file), owner_(owner) {
    file_.SetNoticeHandler([this](MacroFile::Notice notice, const std::filesystem::path& path) {
        const QString text = TextOf(notice, path);
        QMetaObject::invokeMethod(
            this,
            [this, text] {
                SOUI::SMessageBox(owner_, text, Translated(kWarningCaption), SOUI::MB_OK);
            },
            Qt::QueuedConnection);
    });
}

MacroFileNotices::~MacroFileNotices() {
    // Waits for a report being handed over; the queued ones go with this object.
    file_.SetNoticeHandler({});
}

QString MacroFileNotices::TextOf(MacroFile::Notice notice, const std::filesystem::path& file) {
    const QString path = QString::fromStdString(file.string());
    switch (notice) {
        case MacroFile::Notice::DamagedFileKept:
            return Translated(
                       "The macro file could not be read. It was kept as %1, and a new "
                       "one was started.")
                .arg(path);
        case MacroFile::Notice::CannotSave:
            return Translated(
                       "Macro changes cannot be saved: %1 is write-protected or cannot be "
                       "written.")
                .arg(path);
    }
    return path;
}
