// The build tree installed into a temporary prefix: the files land in their standard places,
// and the installed program, started from another folder, finds its data and keeps the user's
// files in $XDG_CONFIG_HOME.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ShellRun.h"
#include "app/DeviceBackends.h"
#include "emulator/VirtualKeyboard.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kNoDisplay = {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};

std::string ReadAll(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

// Width and height from a PNG file's header; zeros when it is no PNG.
std::pair<unsigned, unsigned> PictureSize(const fs::path& file) {
    const std::string bytes = ReadAll(file);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto number = [&](size_t at) {
        unsigned value = 0;
        for (size_t i = at; i < at + 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {number(16), number(20)};
}

// The window size the main layout asks for.
std::pair<unsigned, unsigned> LayoutSize(const fs::path& layout) {
    static const std::regex kSize(R"re(<SOUI[^>]*width="(\d+)"[^>]*height="(\d+)")re");
    std::smatch match;
    const std::string text = ReadAll(layout);
    if (!std::regex_search(text, match, kSize)) return {0, 0};
    return {static_cast<unsigned>(std::stoul(match[1])),
            static_cast<unsigned>(std::stoul(match[2]))};
}

bool HasFilesNewerThan(const fs::path& folder, fs::file_time_type stamp) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.last_write_time() > stamp) return true;
    }
    return false;
}

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/keylume-install-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        prefix = root / "prefix";
        const ShellResult install =
            RunShell({KEYLUME_CMAKE, "--install", KEYLUME_BUILD_DIR, "--prefix", prefix.string()});
        ASSERT_EQ(install.status, 0) << install.output;
        program = prefix / "bin" / "keylume";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root;
    fs::path prefix;
    fs::path program;
};

TEST_F(InstalledProgram, PutsEveryFileInItsStandardPlace) {
    for (const char* file : {"bin/keylume",
                             "share/keylume/config.xml",
                             "share/keylume/uires/uires.idx",
                             "share/keylume/uires/layout/main.xml",
                             "share/keylume/uires/coords/keys_led.xml",
                             "share/keylume/uires/coords/keys_macro.xml",
                             "share/keylume/uires/image/keyboard_led.png",
                             "share/keylume/uires/lang/lang_cn.xml",
                             "lib/udev/rules.d/60-keylume.rules",
                             "share/applications/" KEYLUME_APP_ID ".desktop",
                             "share/metainfo/" KEYLUME_APP_ID ".metainfo.xml",
                             "share/icons/hicolor/48x48/apps/keylume.png",
                             "share/icons/hicolor/256x256/apps/keylume.png",
                             "share/man/man1/keylume.1.gz",
                             "share/bash-completion/completions/keylume",
                             "share/dbus-1/interfaces/org.keylume.Manager1.xml",
                             "share/dbus-1/interfaces/org.keylume.Keyboard1.xml",
                             "share/doc/keylume/copyright",
                             "share/doc/keylume/changelog.gz",
                             "share/doc/keylume/README.md",
                             "share/doc/keylume/backup-format.md",
                             "share/doc/keylume/dbus.md",
                             "share/doc/keylume/examples/keylume-status-bar",
                             "share/kwin/scripts/keylume-follow-front/contents/code/main.js",
                             "share/gnome-shell/extensions/keylume-follow-front@keylume.org/"
                             "extension.js"}) {
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    }
    const fs::perms executable = fs::perms::owner_exec | fs::perms::others_exec;
    EXPECT_EQ(fs::status(program).permissions() & executable, executable);
    // One settings file: the data folder's, not a second copy inside the UI folder.
    EXPECT_FALSE(fs::exists(prefix / "share/keylume/uires/config.xml"));
}

TEST_F(InstalledProgram, AnswersHelpAndVersionWithoutADisplay) {
    const ShellResult version = RunShell({program.string(), "--version"}, kNoDisplay);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, std::string("keylume ") + KEYLUME_VERSION_TEXT + "\n");

    const ShellResult help = RunShell({program.string(), "--help"}, kNoDisplay);
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--emulate", "--screenshot", "--version", "--help", "\n  status ", "\n  macros "}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
}

// A keyboard with a macro on a key: reading it at the connection hands the macro to the macro
// file, so the run has to write "macro.xml".
TEST_F(InstalledProgram, RunsFromAnotherFolderAndKeepsMacrosInTheUsersConfigFolder) {
    const fs::path configHome = root / "config";
    const fs::path home = root / "home";
    const fs::path elsewhere = root / "elsewhere";
    for (const fs::path& folder : {configHome, home, elsewhere, root / "tmp"}) {
        fs::create_directories(folder);
    }
    ASSERT_EQ(setenv("XDG_CONFIG_HOME", configHome.c_str(), 1), 0);
    const fs::path stateFile = EmulatedKeyboardStateFile();
    fs::create_directories(stateFile.parent_path());
    {
        VirtualKeyboard keyboard;
        keyboard.UseStateFile(stateFile);
        ASSERT_TRUE(keyboard.Modify([](KeyboardState& state) {
            state.macroSlots[2].name.set("Greeting");
            state.macroSlots[2].append(macro_step_t::make(0x0B, 0, 0));   // H down
            state.macroSlots[2].append(macro_step_t::make(0x0B, 30, 1));  // H up
            state.keyCodes[20] = macro_code_t::make(3, 2);
        }));
    }
    ASSERT_TRUE(fs::is_regular_file(stateFile));
    const fs::file_time_type beforeRun = fs::file_time_type::clock::now();
    const fs::path screenshot = root / "shot.png";

    const ShellResult run =
        RunShell({program.string(), "--emulate", "--screenshot", screenshot.string()},
                 {"HOME=" + home.string(), "XDG_CONFIG_HOME=" + configHome.string(),
                  "TMPDIR=" + (root / "tmp").string(), "QT_QPA_PLATFORM=offscreen"},
                 elsewhere);

    ASSERT_EQ(run.status, 0) << run.output;
    // Without its data the program still draws a window, but an empty one of no set size.
    EXPECT_EQ(run.output.find("resource not found"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Failed, no window"), std::string::npos) << run.output;
    const auto layoutSize = LayoutSize(prefix / "share/keylume/uires/layout/main.xml");
    ASSERT_NE(layoutSize.first, 0u);
    EXPECT_EQ(PictureSize(screenshot), layoutSize);
    const fs::path macros = configHome / "keylume" / "macro.xml";
    ASSERT_TRUE(fs::is_regular_file(macros)) << run.output;
    EXPECT_NE(ReadAll(macros).find("name=\"Greeting\""), std::string::npos) << ReadAll(macros);
    EXPECT_FALSE(fs::exists(home / ".config" / "keylume"));
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_FALSE(HasFilesNewerThan(prefix, beforeRun)) << "the run wrote into the installation";
}

}  // namespace
