#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The application's id (from the top-level CMakeLists.txt): its desktop file, metainfo, Wayland
// app id, bus name and autostart entry are named by it.
inline constexpr const char* kApplicationId = KEYLUME_APP_ID;

// Where the program finds its data and keeps the user's files.
//
// A program folder with a "uires" folder beside the executable (the build tree or a portable
// copy) holds everything: "config.xml" and "macro.xml" are read there and "macro.xml" is written
// there. An installed program reads its data from <prefix>/share/keylume/ and keeps the user's
// files in $XDG_CONFIG_HOME/keylume/ (~/.config/keylume/ by default); a "config.xml" there is
// preferred over the one in the data folder.
struct AppPaths {
    // The parts of the environment that decide the user's folder.
    struct Environment {
        std::optional<std::string> xdgConfigHome;
        std::optional<std::string> home;

        static Environment FromProcess();
    };

    bool portable = false;
    std::filesystem::path dataFolder;         // holds "uires" and the read-only data
    std::filesystem::path userFolder;         // holds the files the program writes
    std::filesystem::path configFile;         // "config.xml" to read
    std::filesystem::path shippedConfigFile;  // the default "config.xml" among the data
    std::filesystem::path macroFile;          // "macro.xml", read and written

    std::filesystem::path uiFolder() const { return dataFolder / "uires"; }
    // "rules.xml": which profile the keyboard shows for which application; beside "macro.xml".
    std::filesystem::path rulesFile() const { return userFolder / "rules.xml"; }

    // Decides the paths for an executable at `executable`; looks at the file system but changes
    // nothing.
    static AppPaths Resolve(const std::filesystem::path& executable, const Environment& env);

    // Resolve() for the running executable and environment.
    static AppPaths ForThisProcess();

    // The user's folder of an installed program: $XDG_CONFIG_HOME/keylume when that is an
    // absolute path, else ~/.config/keylume, with the home from $HOME or, when that is unset
    // or empty, from the user's password entry. The one place that decides it.
    static std::filesystem::path UserConfigFolder(const Environment& env);

    // Where the program's helper programs are: the program folder of a portable copy,
    // <prefix>/libexec/keylume/ for a program installed in <prefix>/bin.
    static std::filesystem::path HelperFolder(const std::filesystem::path& programFolder);

    // Makes sure the user's folder exists so that "macro.xml" can be written; a folder made here
    // (and any made above it) is the user's alone. False when it cannot be made.
    bool PrepareUserFolder() const;
};
