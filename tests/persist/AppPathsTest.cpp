#include "persist/AppPaths.h"

#include <gtest/gtest.h>

#include "files/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using files_test::TempFolder;
using files_test::WriteText;

class AppPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root.path() / "bin");
        fs::create_directories(root.path() / "home");
    }

    fs::path Executable() const { return root.path() / "bin" / "keylume"; }
    fs::path Home() const { return root.path() / "home"; }
    fs::path ShareFolder() const { return root.path() / "share" / "keylume"; }

    TempFolder root;
};

TEST_F(AppPathsTest, UiFolderBesideExecutableMakesItPortable) {
    fs::create_directories(root.path() / "bin" / "uires");
    const AppPaths paths = AppPaths::Resolve(Executable(), {std::nullopt, Home().string()});
    EXPECT_TRUE(paths.portable);
    EXPECT_EQ(paths.dataFolder, root.path() / "bin");
    EXPECT_EQ(paths.uiFolder(), root.path() / "bin" / "uires");
    EXPECT_EQ(paths.configFile, root.path() / "bin" / "config.xml");
    EXPECT_EQ(paths.macroFile, root.path() / "bin" / "macro.xml");
    EXPECT_EQ(paths.shippedConfigFile, paths.configFile);
    EXPECT_EQ(AppPaths::HelperFolder(root.path() / "bin"), root.path() / "bin");
}

TEST_F(AppPathsTest, AFileNamedUiresDoesNotMakeItPortable) {
    WriteText(root.path() / "bin" / "uires", "");
    const AppPaths paths = AppPaths::Resolve(Executable(), {std::nullopt, Home().string()});
    EXPECT_FALSE(paths.portable);
}

TEST_F(AppPathsTest, InstalledUsesShareFolderAndDefaultConfigHome) {
    const AppPaths paths = AppPaths::Resolve(Executable(), {std::nullopt, Home().string()});
    EXPECT_FALSE(paths.portable);
    EXPECT_EQ(paths.dataFolder, ShareFolder());
    EXPECT_EQ(paths.uiFolder(), ShareFolder() / "uires");
    EXPECT_EQ(paths.userFolder, Home() / ".config" / "keylume");
    EXPECT_EQ(paths.macroFile, Home() / ".config" / "keylume" / "macro.xml");
    EXPECT_EQ(paths.configFile, ShareFolder() / "config.xml");
    EXPECT_EQ(paths.shippedConfigFile, ShareFolder() / "config.xml");
    // Helpers have a folder of their own, never the folder of all commands.
    EXPECT_EQ(AppPaths::HelperFolder(root.path() / "bin"), root.path() / "libexec" / "keylume");
}

TEST_F(AppPathsTest, InstalledPrefersTheUsersConfig) {
    const fs::path configHome = root.path() / "xdg";
    fs::create_directories(configHome / "keylume");
    WriteText(configHome / "keylume" / "config.xml", "<local language=\"cn\"/>");
    const AppPaths paths = AppPaths::Resolve(Executable(), {configHome.string(), Home().string()});
    EXPECT_EQ(paths.configFile, configHome / "keylume" / "config.xml");
    EXPECT_EQ(paths.shippedConfigFile, ShareFolder() / "config.xml");
    EXPECT_EQ(paths.macroFile, configHome / "keylume" / "macro.xml");
}

TEST_F(AppPathsTest, EmptyOrRelativeConfigHomeFallsBackToHome) {
    for (const char* value : {"", "relative/dir"}) {
        const AppPaths paths = AppPaths::Resolve(Executable(), {value, Home().string()});
        EXPECT_EQ(paths.userFolder, Home() / ".config" / "keylume") << value;
    }
}

TEST_F(AppPathsTest, PrepareUserFolderMakesTheMissingFolders) {
    const AppPaths paths =
        AppPaths::Resolve(Executable(), {(root.path() / "a" / "b").string(), std::nullopt});
    ASSERT_FALSE(fs::exists(paths.userFolder));
    EXPECT_TRUE(paths.PrepareUserFolder());
    EXPECT_TRUE(fs::is_directory(paths.userFolder));
    // The folders made hold the user's settings and macros: the user's alone.
    for (const fs::path& made : {paths.userFolder, paths.userFolder.parent_path()})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    EXPECT_TRUE(paths.PrepareUserFolder());
}

TEST_F(AppPathsTest, PrepareUserFolderFailsWhenAFileIsInTheWay) {
    WriteText(root.path() / "blocked", "");
    const AppPaths paths =
        AppPaths::Resolve(Executable(), {(root.path() / "blocked").string(), std::nullopt});
    EXPECT_FALSE(paths.PrepareUserFolder());
}

}  // namespace
