#pragma once
// The program's file dialog: Qt's own, so it looks like the rest of the window on every desktop
// and takes typed paths.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

struct FileChoice {
    QString path;
    QString filter;  // the file type the user chose
};

struct FileQuestion {
    QString title;
    bool saving = false;  // otherwise an existing file is opened
    QStringList filters;
    QString suffix;         // saving: added to a name typed without one
    QString suggestedName;  // saving
};

// Nothing when the user cancels.
std::optional<FileChoice> ChooseFile(QWidget* parent, const FileQuestion& question);
