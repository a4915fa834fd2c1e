#include "persist/MacroFile.h"

#include <mutex>
#include <utility>

#include "files/DamagedCopy.h"
#include "persist/MacroDocument.h"
#include "persist/MacroGroupContent.h"
#include "persist/XmlLookup.h"

MacroFile::MacroFile(std::filesystem::path file, files::FileReplacer replacer, Saving saving)
    : file_(std::move(file)), replacer_(std::move(replacer)), saving_(saving) {
    // A change that reaches the new members meanwhile waits until the file is loaded and the
    // hooks are in place; it then lands on the loaded values and is saved.
    std::scoped_lock lock(settings_.mutex(), groups_.mutex(), choices_.mutex());
    Load();
    RememberSelectedGroup();
    settings_.bind(this, &MacroFile::OnSettingsChanged);
    groups_.bind(this, &MacroFile::OnGroupsChanged);
    choices_.bind(this, &MacroFile::OnChoicesChanged);
}

void MacroFile::OnSettingsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t,
                                  uint32_t, int) {
    RememberSelectedGroup();
    if (saving_ == Saving::OnChange) Save();
}

void MacroFile::OnGroupsChanged(int, const std::list<MacroRecordGroup>*, uint32_t, uint32_t,
                                uint32_t, uint32_t, int) {
    FollowSelectedGroup();
    if (saving_ == Saving::OnChange) Save();
}

void MacroFile::OnChoicesChanged(int, const std::vector<MacroEntryChoice>*, uint32_t, uint32_t,
                                 uint32_t, uint32_t, int) {
    if (saving_ == Saving::OnChange) Save();
}

namespace {

const std::wstring* NameOf(const MacroRecordGroup& group) {
    return group.info.index() < group.info.count ? &group.info.current().name : nullptr;
}

}  // namespace

void MacroFile::RememberSelectedGroup() {
    selectedName_.reset();
    if (settings_.index() >= settings_.count || groups_.index() >= groups_.count) return;
    const int selected = settings_.current().gpsel;
    int position = 0;
    for (const MacroRecordGroup& group : groups_.current()) {
        if (position++ != selected) continue;
        if (const std::wstring* name = NameOf(group)) selectedName_ = *name;
        return;
    }
}

void MacroFile::FollowSelectedGroup() {
    if (!selectedName_ || settings_.index() >= settings_.count ||
        groups_.index() >= groups_.count) {
        RememberSelectedGroup();
        return;
    }
    int position = 0, found = -1, matches = 0;
    for (const MacroRecordGroup& group : groups_.current()) {
        const std::wstring* name = NameOf(group);
        if (name && *name == *selectedName_) {
            found = position;
            ++matches;
        }
        ++position;
    }
    // A renamed, deleted or ambiguous group leaves the selection where it is.
    MacroRecordParam& settings = settings_.current();
    if (matches == 1 && found != settings.gpsel) {
        settings.gpsel = found;
        settings_.fireOthers(shapes::kApply, false);
    }
    RememberSelectedGroup();
}

MacroFile::~MacroFile() {
    // Each unbind waits for a save in progress on that shape; afterwards no hook can read a
    // shape that is being destroyed.
    settings_.bind(static_cast<const void*>(this), SettingsShape::Hook());
    groups_.bind(static_cast<const void*>(this), GroupsShape::Hook());
    choices_.bind(static_cast<const void*>(this), ChoicesShape::Hook());
}

void MacroFile::Load() {
    pugi::xml_document document;
    // Without a readable file the editor starts from the default settings and no groups.
    persist::MacroContent content;
    std::error_code error;
    const bool loaded = persist::LoadDocumentFile(document, file_.c_str());
    if (loaded) content = persist::ReadMacroDocumentWithinLimits(document);
    damaged_ = !loaded && std::filesystem::exists(file_, error);
    std::list<MacroRecordGroup> groups;
    for (persist::MacroGroupContent& group : content.groups) {
        groups.push_back(persist::ToGroup(std::move(group)));
    }
    std::scoped_lock lock(settings_.mutex(), groups_.mutex(), choices_.mutex());
    settings_.store(&content.settings, 1, false);
    settings_.selection.index = 0;
    groups_.store(&groups, 1, false);
    groups_.selection.index = 0;
    choices_.store(&content.choices, 1, false);
    choices_.selection.index = 0;
}

void MacroFile::SetNoticeHandler(NoticeHandler handler) {
    std::lock_guard lock(noticeLock_);
    noticeHandler_ = std::move(handler);
}

void MacroFile::Tell(Notice notice, const std::filesystem::path& file) const {
    std::lock_guard lock(noticeLock_);
    if (notice == Notice::CannotSave) {
        if (cannotSaveTold_) return;
        cannotSaveTold_ = true;
    }
    if (noticeHandler_) noticeHandler_(notice, file);
}

bool MacroFile::KeepDamagedFile() const {
    const std::optional<std::filesystem::path> copy = files::KeepDamagedCopy(file_);
    if (!copy) return false;
    damaged_ = false;
    Tell(Notice::DamagedFileKept, *copy);
    return true;
}

bool MacroFile::Save() const {
    // Whatever could not be kept or may not be replaced stays as it is.
    if (files::WriteProtected(file_) || (damaged_ && !KeepDamagedFile())) {
        Tell(Notice::CannotSave, file_);
        return false;
    }
    const bool hasSettings = settings_.index() < settings_.count;
    persist::MacroDocumentWriter writer(hasSettings ? settings_.current() : MacroRecordParam{});
    if (groups_.index() < groups_.count) {
        for (const MacroRecordGroup& group : groups_.current()) {
            const persist::MacroGroupContent content = persist::ToContent(group);
            writer.AddGroup(content.info, content.items);
        }
    }
    if (choices_.index() < choices_.count)
        for (const MacroEntryChoice& choice : choices_.current()) writer.AddChoice(choice);
    if (replacer_.Replace(file_, writer.Text())) return true;
    Tell(Notice::CannotSave, file_);
    return false;
}
