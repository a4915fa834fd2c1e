#pragma once
// The file dialog of the macro editor's export and import.
#include <QString>
#include <QWidget>
#include <optional>

struct MacroFileChoice {
    QString path;
    bool allGroups = false;  // export: every group rather than the selected one
};

// Export asks where to save and, by the file type, whether the selected group or all groups go;
// import asks for an existing file. Nothing when the user cancels.
std::optional<MacroFileChoice> ChooseMacroFile(QWidget* parent, bool exporting,
                                               const QString& suggestedName);
