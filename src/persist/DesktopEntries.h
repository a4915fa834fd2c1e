#pragma once
// What the desktop's application menu knows of an application: its name and icon, from the
// desktop files in the "applications" folders of the XDG data folders. Only the few keys a list
// of applications shows are read; a file that is not an application's is passed over.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/DesktopLanguage.h"

namespace persist {

struct DesktopEntry {
    std::string id;       // the desktop file id: "org.gnome.Terminal.desktop"
    std::string name;     // in the locale's language where the file has it
    std::string icon;     // an icon theme's name or an absolute path; may be empty
    std::string wmClass;  // StartupWMClass: the X11 class of its windows
};

// The [Desktop Entry] group of a desktop file's text; none when the file has none, names no
// application, has no name or is hidden. `locale` ("zh_CN") picks a translated Name.
std::optional<DesktopEntry> ReadDesktopEntry(std::string_view text, std::string id,
                                             std::string_view locale);

// The "applications" folders, the user's first (XDG_DATA_HOME, else ~/.local/share), then
// XDG_DATA_DIRS (else /usr/local/share and /usr/share).
std::vector<std::filesystem::path> ApplicationFolders(const EnvironmentLookup& lookup);

// Every application of the folders; a file of an earlier folder hides one of the same id in a
// later folder, a hidden one included.
std::vector<DesktopEntry> ReadDesktopEntries(const std::vector<std::filesystem::path>& folders,
                                             std::string_view locale);

// The entry of an application as the desktop names it: by desktop file id, else by the class
// of its windows; null when none.
const DesktopEntry* EntryFor(const std::vector<DesktopEntry>& entries, std::string_view app);

}  // namespace persist
