#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <optional>
#include <string>

#include "persist/FileReplacer.h"
#include "records/AppRecords.h"
#include "store/Shape.h"

// Keeps the macro groups and the macro editor's settings in "macro.xml". Its shapes are the
// first members of the shared settings and group list; every change another holder publishes
// to either of them rewrites the whole file, on the store's dispatcher thread.
class MacroFile {
public:
    using SettingsShape = ShapeType<MacroRecordParam, 1, 1, 1>;
    using GroupsShape = ShapeList<MacroRecordGroup, 1>;

    // Joins both groups, loads the file and installs the saving hooks.
    explicit MacroFile(std::filesystem::path file,
                       persist::FileReplacer replacer = persist::FileReplacer());
    ~MacroFile();
    MacroFile(const MacroFile&) = delete;
    MacroFile& operator=(const MacroFile&) = delete;

    // Reads the file into the shapes without publishing; a missing or malformed file changes
    // nothing.
    void Load();

    // Writes the whole file from the current values, replacing the old one in a single step.
    // False when the file could not be written; the old file is then left as it was. Runs on
    // the dispatcher thread as the hook of both shapes; a direct call must not overlap a
    // delivery.
    bool Save() const;

    const std::filesystem::path& path() const { return file_; }
    const SettingsShape& settings() const { return settings_; }
    const GroupsShape& groups() const { return groups_; }

private:
    void OnSettingsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t, uint32_t,
                           int);
    void OnGroupsChanged(int, const std::list<MacroRecordGroup>*, uint32_t, uint32_t, uint32_t,
                         uint32_t, int);
    // The editor's selection is a position in the list. Reading the keyboard's macros back
    // moves groups to the end: the selection moves with its group, found by its name.
    void RememberSelectedGroup();
    void FollowSelectedGroup();

    std::filesystem::path file_;
    persist::FileReplacer replacer_;
    SettingsShape settings_;
    GroupsShape groups_;
    std::optional<std::wstring> selectedName_;
};
