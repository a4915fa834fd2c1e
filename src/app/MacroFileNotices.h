#pragma once
// Tells the user, in a message box over the window, what the macro file reports: a damaged file
// that was kept under another name, or changes that cannot be saved. The reports come from the
// store's dispatcher thread and are shown on the window's thread.
#include <QObject>

#include "persist/MacroFile.h"
#include "ui/SOUI.h"

class MacroFileNotices : public QObject {
public:
    MacroFileNotices(MacroFile& file, SOUI::HWND owner);
    // No report is shown after this.
    ~MacroFileNotices() override;

    // The message for a report, translated.
    static QString TextOf(MacroFile::Notice notice, const std::filesystem::path& file);

private:
    MacroFile& file_;
    SOUI::HWND owner_;
};
