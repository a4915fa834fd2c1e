#include "screens/MacroFileDialog.h"

#include "screens/FileChooser.h"
#include "ui/Application.h"

namespace {

QString Tr(const char* text) {
    return SOUI::Translated(text);
}

}  // namespace

std::optional<MacroFileChoice> ChooseMacroFile(QWidget* parent, bool exporting,
                                               const QString& suggestedName) {
    FileQuestion question{Tr(exporting ? "Export macro groups" : "Import macro groups"),
                          exporting,
                          {},
                          QStringLiteral("xml"),
                          suggestedName};
    const QString allGroups = Tr("All groups (*.xml)");
    if (exporting)
        question.filters = {Tr("The selected group (*.xml)"), allGroups};
    else
        question.filters = {Tr("Macro groups (*.xml)"), Tr("All files (*)")};
    const std::optional<FileChoice> choice = ChooseFile(parent, question);
    if (!choice) return std::nullopt;
    return MacroFileChoice{choice->path, exporting && choice->filter == allGroups};
}
