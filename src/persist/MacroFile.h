#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string>

#include "files/FileReplacer.h"
#include "records/AppRecords.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"

// Keeps the macro groups, the macro editor's settings and the entries chosen for keys in
// "macro.xml". Its shapes are the
// first members of the shared settings and group list; every change another holder publishes
// to either of them rewrites the whole file, on the store's dispatcher thread.
class MacroFile {
public:
    using SettingsShape = shapes::MacroSettings;
    using GroupsShape = shapes::MacroGroups;
    using ChoicesShape = shapes::EntryChoices;

    // What the user should hear about the file, each at most once: a file that could not be
    // read was kept under another name (given) before the first save replaced it; or changes
    // cannot be saved to the file (given), which is write-protected or cannot be written.
    enum class Notice { DamagedFileKept, CannotSave };
    using NoticeHandler = std::function<void(Notice, const std::filesystem::path&)>;

    // Whether delivered changes rewrite the file: a command that only reads the keyboard must
    // leave the user's file as it was, whatever the read tells the groups.
    enum class Saving { OnChange, Never };

    // Joins both groups, loads the file and installs the saving hooks.
    explicit MacroFile(std::filesystem::path file,
                       files::FileReplacer replacer = files::FileReplacer(),
                       Saving saving = Saving::OnChange);
    ~MacroFile();
    MacroFile(const MacroFile&) = delete;
    MacroFile& operator=(const MacroFile&) = delete;

    // Reads the file into the shapes without publishing; a missing or malformed file changes
    // nothing.
    void Load();

    // Writes the whole file from the current values, replacing the old one in a single step.
    // False when the file could not be written; the old file is then left as it was. A file
    // without write permission is never replaced, and one that could not be read is first kept
    // beside itself. Runs on the dispatcher thread as the hook of both shapes; a direct call
    // must not overlap a delivery.
    bool Save() const;

    // Called on the thread that saves; may be replaced or cleared at any time.
    void SetNoticeHandler(NoticeHandler handler);

    const std::filesystem::path& path() const { return file_; }
    const SettingsShape& settings() const { return settings_; }
    const GroupsShape& groups() const { return groups_; }
    const ChoicesShape& choices() const { return choices_; }

private:
    void OnSettingsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t, uint32_t,
                           int);
    void OnGroupsChanged(int, const std::list<MacroRecordGroup>*, uint32_t, uint32_t, uint32_t,
                         uint32_t, int);
    void OnChoicesChanged(int, const std::vector<MacroEntryChoice>*, uint32_t, uint32_t, uint32_t,
                          uint32_t, int);
    // The editor's selection is a position in the list. Reading the keyboard's macros back
    // moves groups to the end: the selection moves with its group, found by its name.
    void RememberSelectedGroup();
    void FollowSelectedGroup();
    // Copies the unreadable file to a name of its own; false when that failed.
    bool KeepDamagedFile() const;
    void Tell(Notice notice, const std::filesystem::path& file) const;

    std::filesystem::path file_;
    files::FileReplacer replacer_;
    Saving saving_;
    SettingsShape settings_;
    GroupsShape groups_;
    ChoicesShape choices_{shapes::kEntryChoicesName};
    std::optional<std::wstring> selectedName_;
    mutable bool damaged_ = false;  // the file there could not be read and is not kept yet
    mutable bool cannotSaveTold_ = false;
    mutable std::mutex noticeLock_;
    NoticeHandler noticeHandler_;
};
