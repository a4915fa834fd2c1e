#include "screens/MacroFileDialog.h"

#include <QDir>
#include <QFileDialog>

#include "ui/Application.h"

namespace {

QString Tr(const char* text) {
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    return app ? app->Tr(QString::fromUtf8(text)) : QString::fromUtf8(text);
}

}  // namespace

std::optional<MacroFileChoice> ChooseMacroFile(QWidget* parent, bool exporting,
                                               const QString& suggestedName) {
    // Qt's own dialog looks like the rest of the window on every desktop and takes typed paths.
    QFileDialog dialog(parent, Tr(exporting ? "Export macro groups" : "Import macro groups"),
                       QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString selectedGroup = Tr("The selected group (*.xml)");
    const QString allGroups = Tr("All groups (*.xml)");
    if (exporting) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters({selectedGroup, allGroups});
        dialog.setDefaultSuffix("xml");
        dialog.selectFile(suggestedName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({Tr("Macro groups (*.xml)"), Tr("All files (*)")});
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return MacroFileChoice{dialog.selectedFiles().front(),
                           exporting && dialog.selectedNameFilter() == allGroups};
}
