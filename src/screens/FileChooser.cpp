#include "screens/FileChooser.h"

#include <QDir>
#include <QFileDialog>

std::optional<FileChoice> ChooseFile(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.title, QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(question.filters);
    if (question.saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(question.suffix);
        dialog.selectFile(question.suggestedName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
}
