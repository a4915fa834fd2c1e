// The editor's export and import of macro groups.
#include <algorithm>

#include "files/FileReplacer.h"
#include "persist/MacroGroupContent.h"
#include "persist/MacroSharing.h"
#include "screens/MacroRecordDlg.h"
#include "ui/Application.h"

namespace {

QString Tr(const char* text) {
    SOUI::SApplication* app = SOUI::SApplication::getSingletonPtr();
    return app ? app->Tr(QString::fromUtf8(text)) : QString::fromUtf8(text);
}

QString Names(const std::vector<persist::MacroGroupContent>& groups) {
    QStringList names;
    for (const persist::MacroGroupContent& group : groups)
        names << "\"" + QString::fromStdWString(group.info.name) + "\"";
    return names.join(", ");
}

}  // namespace

void MacroRecordDlg::ShowOutcome(const QString& text) {
    if (ui_.reason) ui_.reason->SetWindowText(text);
}

void MacroRecordDlg::OnGroupExport() {
    const std::vector<persist::MacroGroupContent> all =
        persist::ToContents(groups_.count ? groups_.data()[0] : std::list<MacroRecordGroup>());
    if (all.empty()) return ShowOutcome(Tr("There are no groups to export."));
    const MacroRecordGroup* selected = SelectedGroup();
    const QString suggested = selected && selected->info.count
                                  ? QString::fromStdWString(selected->info.current().name) + ".xml"
                                  : QStringLiteral("macros.xml");
    const std::optional<MacroFileChoice> choice = chooseFile_(GetFrame(), true, suggested);
    if (!choice || !IsWindow()) return;
    std::vector<persist::MacroGroupContent> chosen = all;
    if (!choice->allGroups && selected) chosen = {persist::ToContent(*selected)};
    const files::Replaced written = files::FileReplacer().Replace(
        choice->path.toStdString(), persist::WriteSharedGroups(chosen));
    if (!written)
        return ShowOutcome(Tr("%1 cannot be written: %2.")
                               .arg(choice->path, QString::fromStdString(written.error)));
    ShowOutcome(Tr("Exported %1 to %2.").arg(Names(chosen), choice->path));
}

void MacroRecordDlg::OnGroupImport() {
    const std::optional<MacroFileChoice> choice = chooseFile_(GetFrame(), false, QString());
    if (!choice || !IsWindow()) return;
    const persist::SharedGroupsRead read =
        persist::ReadSharedGroupsFile(choice->path.toStdString());
    if (!read.ok())
        return ShowOutcome(Tr("Nothing was imported: %1").arg(QString::fromStdString(read.error)));
    const std::vector<persist::MacroGroupContent> existing =
        persist::ToContents(groups_.count ? groups_.data()[0] : std::list<MacroRecordGroup>());
    if (existing.size() + read.groups.size() > persist::kMaxMacroGroups)
        return ShowOutcome(Tr("Nothing was imported: the list holds at most %1 groups and the "
                              "file has %2.")
                               .arg(persist::kMaxMacroGroups)
                               .arg(read.groups.size()));
    const std::vector<persist::MacroGroupContent> added =
        persist::GroupsToAdd(existing, read.groups);
    for (const persist::MacroGroupContent& group : added)
        groups_.push_back(persist::ToGroup(group));
    GroupsChanged();
    ShowOutcome(Tr("Imported %1.").arg(Names(added)));
}
