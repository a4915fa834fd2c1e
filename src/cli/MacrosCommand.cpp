#include "cli/MacrosCommand.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "cli/CommandRun.h"
#include "files/FileReplacer.h"
#include "persist/MacroFile.h"
#include "persist/MacroGroupContent.h"
#include "persist/MacroSharing.h"
#include "persist/XmlLookup.h"

namespace {

std::string Utf8(const std::wstring& text) {
    return pugi::as_utf8(text);
}

std::string Names(const std::vector<persist::MacroGroupContent>& groups) {
    std::string names;
    for (const persist::MacroGroupContent& group : groups)
        names += (names.empty() ? "\"" : ", \"") + Utf8(group.info.name) + "\"";
    return names.empty() ? "none" : names;
}

// Collects what the macro file tells while it saves, on the store's thread.
class NoticeLog {
public:
    void Note(MacroFile::Notice notice) {
        std::lock_guard lock(mutex_);
        notices_.push_back(notice);
    }
    bool Has(MacroFile::Notice notice) const {
        std::lock_guard lock(mutex_);
        return std::find(notices_.begin(), notices_.end(), notice) != notices_.end();
    }

private:
    mutable std::mutex mutex_;
    std::vector<MacroFile::Notice> notices_;
};

}  // namespace

int ExportMacros(const MacrosRequest& request, const std::filesystem::path& macroFile,
                 std::ostream& out, std::ostream& err) {
    pugi::xml_document document;
    if (!persist::LoadDocumentFile(document, macroFile.c_str())) {
        err << "keylume: there are no macros to export: " << macroFile.string()
            << " is missing or cannot be read\n";
        return kExitKeyboard;
    }
    const std::vector<persist::MacroGroupContent> all =
        persist::ReadMacroDocumentWithinLimits(document).groups;
    std::vector<persist::MacroGroupContent> chosen;
    for (const std::string& name : request.groups) {
        const auto found = std::find_if(all.begin(), all.end(), [&](const auto& group) {
            return Utf8(group.info.name) == name;
        });
        if (found == all.end())
            return UsageError(
                "no macro group is named \"" + name + "\"; the groups are " + Names(all), err);
        chosen.push_back(*found);
    }
    if (request.groups.empty()) chosen = all;
    if (chosen.empty()) {
        err << "keylume: there are no macro groups to export\n";
        return kExitKeyboard;
    }
    const files::Replaced written =
        files::FileReplacer().Replace(request.file, persist::WriteSharedGroups(chosen));
    if (!written) {
        err << "keylume: " << request.file << " cannot be written: " << written.error << "\n";
        return kExitKeyboard;
    }
    out << "Exported " << chosen.size() << (chosen.size() == 1 ? " group" : " groups") << " ("
        << Names(chosen) << ") to " << request.file << "\n";
    return kExitDone;
}

int ImportMacros(const MacrosRequest& request, const std::filesystem::path& macroFile,
                 std::ostream& out, std::ostream& err) {
    const persist::SharedGroupsRead read = persist::ReadSharedGroupsFile(request.file);
    if (!read.ok()) return UsageError(read.error + "; nothing was imported", err);

    NoticeLog notices;
    MacroFile macros(macroFile);
    macros.SetNoticeHandler([&notices](MacroFile::Notice notice, const std::filesystem::path&) {
        notices.Note(notice);
    });
    // A holder of its own: the macro file saves what other holders publish.
    MacroFile::GroupsShape groups;
    const std::vector<persist::MacroGroupContent> existing =
        persist::ToContents(groups.count ? groups.data()[0] : std::list<MacroRecordGroup>());
    if (existing.size() + read.groups.size() > persist::kMaxMacroGroups) {
        err << "keylume: the macro list holds at most " << persist::kMaxMacroGroups << " groups; "
            << existing.size() << " are there and " << request.file << " has " << read.groups.size()
            << ": nothing was imported\n";
        return kExitKeyboard;
    }
    const std::vector<persist::MacroGroupContent> added =
        persist::GroupsToAdd(existing, read.groups);
    for (const persist::MacroGroupContent& group : added) groups.push_back(persist::ToGroup(group));
    ShapeDispatcher::waitIdle(std::chrono::seconds(20));
    macros.SetNoticeHandler(nullptr);
    if (notices.Has(MacroFile::Notice::DamagedFileKept))
        out << "The old " << macroFile.string()
            << " could not be read and was kept beside it under another name.\n";
    if (notices.Has(MacroFile::Notice::CannotSave)) {
        err << "keylume: " << macroFile.string() << " cannot be saved: nothing was imported\n";
        return kExitKeyboard;
    }
    out << "Imported " << added.size() << (added.size() == 1 ? " group" : " groups") << " ("
        << Names(added) << ") into " << macroFile.string() << "\n";
    return kExitDone;
}
