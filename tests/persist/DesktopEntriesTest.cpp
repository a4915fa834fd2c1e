// Desktop files as the list of applications reads them: what one text gives, which folders are
// read, which file of several wins, and which entry an application's name finds.
#include "persist/DesktopEntries.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;

TEST(DesktopEntries, TextsGiveTheApplicationTheySay) {
    const struct {
        const char* text;
        const char* locale;
        std::optional<std::vector<std::string>> read;  // name, icon, class; none: no application
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nName=Files\nIcon=folder\nStartupWMClass=Nautilus\n",
         "",
         {{"Files", "folder", "Nautilus"}}},
        // Translations, spaces around "=", escapes, comments and CR line ends.
        {"# x\r\n[Desktop Entry]\r\nName = Text\\sEditor\r\nName[zh]=文本\r\nType=Application\r\n",
         "zh_CN.UTF-8",
         {{"文本", "", ""}}},
        {"[Desktop Entry]\nName[zh_CN]=终端\nName=Terminal\nType=Application\nIcon=/a b.png\n",
         "zh_CN",
         {{"终端", "/a b.png", ""}}},
        {"[Desktop Entry]\nName=Terminal\nName[de]=Konsole\nType=Application\n",
         "fr_FR",
         {{"Terminal", "", ""}}},
        // The first of a repeated key; keys of other groups are not the entry's.
        {"[Desktop Entry]\nName=A\nName=B\nType=Application\n[Desktop Action x]\nIcon=y\n",
         "",
         {{"A", "", ""}}},
        {"[Desktop Entry]\nType=Link\nName=Site\n", "", std::nullopt},
        {"[Desktop Entry]\nType=Application\nName=Gone\nHidden=true\n", "", std::nullopt},
        {"[Desktop Entry]\nType=Application\nIcon=x\n", "", std::nullopt},
        {"[Other]\nType=Application\nName=X\n", "", std::nullopt},
        {"Type=Application\nName=X\n", "", std::nullopt},
        {"[Desktop Entry\n=\nName\n\\\n[Desktop Entry]\nName=\\\nType=Application",
         "",
         {{"\\", "", ""}}},
        {"", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto entry = persist::ReadDesktopEntry(c.text, "x.desktop", c.locale);
        ASSERT_EQ(entry.has_value(), c.read.has_value());
        if (!entry) continue;
        EXPECT_EQ(entry->id, "x.desktop");
        EXPECT_EQ((std::vector{entry->name, entry->icon, entry->wmClass}), *c.read);
    }
}

TEST(DesktopEntries, FoldersComeFromTheXdgVariables) {
    using Env = std::map<std::string, std::string>;
    const struct {
        Env env;
        std::vector<fs::path> folders;
    } cases[] = {
        {{{"HOME", "/h"}},
         {"/h/.local/share/applications", "/usr/local/share/applications",
          "/usr/share/applications"}},
        {{{"HOME", "/h"}, {"XDG_DATA_HOME", "/d"}, {"XDG_DATA_DIRS", "/a::rel:/b"}},
         {"/d/applications", "/a/applications", "/b/applications"}},
        {{{"HOME", "rel"}, {"XDG_DATA_HOME", "rel"}, {"XDG_DATA_DIRS", ":"}}, {}},
    };
    for (const auto& c : cases) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto found = c.env.find(name);
            return found == c.env.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(persist::ApplicationFolders(lookup), c.folders) << testing::PrintToString(c.env);
    }
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string App(const std::string& name, const std::string& more = {}) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\n" + more;
}

TEST(DesktopEntries, EarlierFoldersWinAndNamesFindTheirEntry) {
    const fs::path root = fs::path(testing::TempDir()) / "desktop-entries";
    fs::remove_all(root);
    const fs::path user = root / "user", system = root / "system";
    Write(user / "editor.desktop", App("Mine"));
    Write(user / "gone.desktop", App("Gone", "Hidden=true\n"));
    Write(system / "editor.desktop", App("Theirs"));
    Write(system / "gone.desktop", App("Still there"));
    Write(system / "kde" / "konsole.desktop", App("Konsole", "StartupWMClass=konsole-x\n"));
    Write(system / "org.gnome.Terminal.desktop", App("Terminal", "StartupWMClass=Gnome-terminal"));
    Write(system / "notes.txt", App("Notes"));
    Write(system / "huge.desktop", App("Huge", std::string(70 * 1024, '#')));
    fs::create_directories(system / "folder.desktop");

    const auto entries = persist::ReadDesktopEntries({user, root / "missing", system}, "");
    std::map<std::string, std::string> names;
    for (const persist::DesktopEntry& entry : entries) names[entry.id] = entry.name;
    EXPECT_EQ(names,
              (std::map<std::string, std::string>{{"editor.desktop", "Mine"},
                                                  {"kde-konsole.desktop", "Konsole"},
                                                  {"org.gnome.Terminal.desktop", "Terminal"}}));

    const struct {
        const char* app;
        const char* name;  // null: no entry
    } lookups[] = {
        {"org.gnome.Terminal", "Terminal"},
        {"terminal", nullptr},
        {"Gnome-terminal", "Terminal"},
        {"KONSOLE-X", "Konsole"},
        {"kde-konsole.desktop", "Konsole"},
        {"", nullptr},
        {"gone", nullptr},
    };
    for (const auto& l : lookups) {
        const persist::DesktopEntry* found = persist::EntryFor(entries, l.app);
        EXPECT_EQ(found ? found->name : "-", l.name ? l.name : "-") << l.app;
    }
}

}  // namespace
