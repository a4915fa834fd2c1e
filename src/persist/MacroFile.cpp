#include "persist/MacroFile.h"

#include <mutex>
#include <utility>

#include "persist/MacroDocument.h"
#include "persist/XmlLookup.h"

namespace {

// What a group without a heading or steps is written as.
const MacroRecordGpInfo kNoHeading{0, 0, L""};
const std::list<MacroRecordGpItem> kNoSteps;

MacroRecordGroup ToGroup(persist::MacroGroupContent&& content) {
    MacroRecordGroup group;
    group.info.store(&content.info, 1, false);
    group.info.selection.index = 0;
    group.items.store(&content.items, 1, false);
    group.items.selection.index = 0;
    return group;
}

}  // namespace

MacroFile::MacroFile(std::filesystem::path file, persist::FileReplacer replacer)
    : file_(std::move(file)), replacer_(std::move(replacer)) {
    // A change that reaches the new members meanwhile waits until the file is loaded and the
    // hooks are in place; it then lands on the loaded values and is saved.
    std::scoped_lock lock(settings_.mutex(), groups_.mutex());
    Load();
    RememberSelectedGroup();
    settings_.bind(this, &MacroFile::OnSettingsChanged);
    groups_.bind(this, &MacroFile::OnGroupsChanged);
}

void MacroFile::OnSettingsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t,
                                  uint32_t, int) {
    RememberSelectedGroup();
    Save();
}

void MacroFile::OnGroupsChanged(int, const std::list<MacroRecordGroup>*, uint32_t, uint32_t,
                                uint32_t, uint32_t, int) {
    FollowSelectedGroup();
    Save();
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
        settings_.fireOthers(0, false);
    }
    RememberSelectedGroup();
}

MacroFile::~MacroFile() {
    // Each unbind waits for a save in progress on that shape; afterwards no hook can read a
    // shape that is being destroyed.
    settings_.bind(static_cast<const void*>(this), SettingsShape::Hook());
    groups_.bind(static_cast<const void*>(this), GroupsShape::Hook());
}

void MacroFile::Load() {
    pugi::xml_document document;
    // Without a readable file the editor starts from the default settings and no groups.
    persist::MacroContent content;
    if (persist::LoadDocumentFile(document, file_.c_str()))
        content = persist::ReadMacroDocument(document);
    std::list<MacroRecordGroup> groups;
    for (persist::MacroGroupContent& group : content.groups) {
        groups.push_back(ToGroup(std::move(group)));
    }
    std::scoped_lock lock(settings_.mutex(), groups_.mutex());
    settings_.store(&content.settings, 1, false);
    settings_.selection.index = 0;
    groups_.store(&groups, 1, false);
    groups_.selection.index = 0;
}

bool MacroFile::Save() const {
    const bool hasSettings = settings_.index() < settings_.count;
    persist::MacroDocumentWriter writer(hasSettings ? settings_.current() : MacroRecordParam{});
    if (groups_.index() < groups_.count) {
        for (const MacroRecordGroup& group : groups_.current()) {
            const bool hasInfo = group.info.index() < group.info.count;
            const bool hasItems = group.items.index() < group.items.count;
            writer.AddGroup(hasInfo ? group.info.current() : kNoHeading,
                            hasItems ? group.items.current() : kNoSteps);
        }
    }
    return replacer_.Replace(file_, writer.Text());
}
