// A user's macro file that is write-protected or that could not be read is never lost to a
// save, and the user hears of it once.
#include <gtest/gtest.h>

#include <vector>

#include "files/FailingFileCalls.h"
#include "files/TempFolder.h"
#include "persist/MacroFile.h"

namespace {

namespace fs = std::filesystem;
using files_test::ReadText;
using files_test::TempFolder;
using files_test::WriteText;
using Notice = MacroFile::Notice;

struct Heard {
    Notice notice;
    fs::path file;
};

class MacroFileProtection : public ::testing::Test {
protected:
    fs::path File() const { return folder / "macro.xml"; }

    // Publishes two changes as the editor would, with `file` listening for notices.
    std::vector<Heard> TwoChanges(MacroFile& file) {
        std::vector<Heard> heard;
        file.SetNoticeHandler([&](Notice n, const fs::path& p) { heard.push_back({n, p}); });
        MacroFile::SettingsShape editor;
        for (int page : {1, 2}) {
            MacroRecordParam changed{};
            changed.page = page;
            editor.set(changed, shapes::kApply, false, false);
            EXPECT_TRUE(ShapeDispatcher::waitIdle());
        }
        file.SetNoticeHandler({});
        return heard;
    }

    std::vector<fs::path> DamagedCopies() const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            if (entry.path().filename().string().starts_with("macro.xml.damaged-"))
                copies.push_back(entry.path());
        return copies;
    }

    TempFolder folder;
};

TEST_F(MacroFileProtection, AWriteProtectedFileIsLeftAloneAndTheUserToldOnce) {
    const std::string kept = "<record page=\"3\"/>\n";
    WriteText(File(), kept);
    fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read);
    MacroFile file(File());
    const std::vector<Heard> heard = TwoChanges(file);
    EXPECT_EQ(ReadText(File()), kept);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].notice, Notice::CannotSave);
    EXPECT_EQ(heard[0].file, File());
    // The change is kept in memory: made writable again, the next change saves it.
    fs::permissions(File(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(file.Save());
    EXPECT_NE(ReadText(File()), kept);
}

TEST_F(MacroFileProtection, AFolderThatCannotBeWrittenIsToldOnce) {
    using Step = files_test::FailingFileCalls::Step;
    MacroFile file(File(), files::FileReplacer(
                               std::make_shared<files_test::FailingFileCalls>(Step::Open, EROFS)));
    const std::vector<Heard> heard = TwoChanges(file);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].notice, Notice::CannotSave);
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(MacroFileProtection, ADamagedFileIsKeptBesideItselfBeforeTheFirstSave) {
    const std::string damaged = "<record page=\"3\"><group id=\"1\" name=\"intact\">";
    WriteText(File(), damaged);
    MacroFile file(File());
    const std::vector<Heard> heard = TwoChanges(file);
    const std::vector<fs::path> copies = DamagedCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadText(copies[0]), damaged);
    EXPECT_EQ(fs::status(copies[0]).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].notice, Notice::DamagedFileKept);
    EXPECT_EQ(heard[0].file, copies[0]);
    // The new file is whole and holds the change.
    EXPECT_EQ(MacroFile(File()).settings().current().page, 2);
}

TEST_F(MacroFileProtection, WhatCannotBeKeptIsNotReplaced) {
    // Something unreadable that no copy can be made of: a folder in the file's place.
    fs::create_directory(File());
    WriteText(File() / "inside", "x");
    MacroFile file(File());
    const std::vector<Heard> heard = TwoChanges(file);
    EXPECT_EQ(ReadText(File() / "inside"), "x");
    EXPECT_TRUE(DamagedCopies().empty());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].notice, Notice::CannotSave);
}

TEST_F(MacroFileProtection, AMissingFileIsNoDamage) {
    MacroFile file(File());
    EXPECT_TRUE(TwoChanges(file).empty());
    EXPECT_TRUE(DamagedCopies().empty());
    EXPECT_TRUE(fs::exists(File()));
}

}  // namespace
