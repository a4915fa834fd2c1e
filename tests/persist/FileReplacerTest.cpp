#include "persist/FileReplacer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "persist/FailingFileCalls.h"
#include "persist/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using persist::FileReplacer;
using persist::FileSystemCalls;
using persist_test::EntryCount;
using persist_test::FailingFileCalls;
using persist_test::ReadText;
using persist_test::TempFolder;
using persist_test::WriteText;
using Step = FailingFileCalls::Step;

const std::string kOld = "<record page=\"1\"/>\n";
const std::string kNew(5000, 'n');

class FileReplacerTest : public ::testing::Test {
protected:
    fs::path Target() const { return folder / "macro.xml"; }
    FileReplacer Failing(Step step, int error = EIO) const {
        return FileReplacer(std::make_shared<FailingFileCalls>(step, error));
    }

    TempFolder folder;
};

TEST_F(FileReplacerTest, WritesANewFile) {
    EXPECT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_EQ(ReadText(Target()), kNew);
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST_F(FileReplacerTest, ReplacesTheOldContentAndLeavesNoTemporary) {
    WriteText(Target(), kOld);
    EXPECT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_EQ(ReadText(Target()), kNew);
    EXPECT_TRUE(FileReplacer().Replace(Target(), ""));
    EXPECT_EQ(ReadText(Target()), "");
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST_F(FileReplacerTest, KeepsThePermissionsOfTheReplacedFile) {
    WriteText(Target(), kOld);
    fs::permissions(Target(),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_EQ(fs::status(Target()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileReplacerTest, ReplacesTheFileALinkPointsAt) {
    fs::create_directory(folder / "real");
    WriteText(folder / "real" / "macro.xml", kOld);
    fs::create_symlink(folder / "real" / "macro.xml", Target());
    ASSERT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_TRUE(fs::is_symlink(Target()));
    EXPECT_EQ(ReadText(folder / "real" / "macro.xml"), kNew);
}

TEST_F(FileReplacerTest, MissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(FileReplacer().Replace(folder / "missing" / "macro.xml", kNew));
    EXPECT_EQ(EntryCount(folder.path()), 0u);
}

TEST_F(FileReplacerTest, FolderInPlaceOfTheFileFailsAndCleansUp) {
    fs::create_directory(Target());
    EXPECT_FALSE(FileReplacer().Replace(Target(), kNew));
    EXPECT_TRUE(fs::is_directory(Target()));
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

TEST_F(FileReplacerTest, EveryFailingStepLeavesTheOldFileWhole) {
    for (Step step : {Step::Open, Step::WriteHalf, Step::Sync, Step::Rename}) {
        WriteText(Target(), kOld);
        EXPECT_FALSE(Failing(step, step == Step::Open ? EROFS : EIO).Replace(Target(), kNew))
            << static_cast<int>(step);
        EXPECT_EQ(ReadText(Target()), kOld) << static_cast<int>(step);
        EXPECT_EQ(EntryCount(folder.path()), 1u) << static_cast<int>(step);
    }
}

TEST_F(FileReplacerTest, ProcessKilledHalfWayLeavesTheOldFileWhole) {
    WriteText(Target(), kOld);
    EXPECT_EXIT(Failing(Step::DieAfterHalf).Replace(Target(), kNew), ::testing::ExitedWithCode(9),
                "");
    EXPECT_EQ(ReadText(Target()), kOld);
    // The next save goes through despite the stray temporary file, and removes it.
    EXPECT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_EQ(ReadText(Target()), kNew);
    EXPECT_EQ(EntryCount(folder.path()), 1u);
}

// The id of a process that has just ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(FileReplacerTest, RemovesOnlyTheTemporariesOfEndedProcesses) {
    const std::string ended = std::to_string(EndedProcess());
    const std::string leftover = ".macro.xml." + ended + "-3.tmp";
    const std::vector<std::string> kept = {
        ".macro.xml." + std::to_string(::getpid()) + "-900.tmp",  // this process may write it
        ".macro.xml." + std::to_string(::getppid()) + "-0.tmp",   // a running process
        ".config.xml." + ended + "-0.tmp",                        // another file's
        ".macro.xml." + ended + ".tmp",
        ".macro.xml." + ended + "-3.tmp.bak",
        ".macro.xml.-" + ended + "-3.tmp",
        "macro.xml." + ended + "-3.tmp"};
    WriteText(folder / leftover, kOld);
    for (const std::string& name : kept) {
        WriteText(folder / name, kOld);
    }
    ASSERT_TRUE(FileReplacer().Replace(Target(), kNew));
    EXPECT_FALSE(fs::exists(folder / leftover));
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    }
}

// Writes a few bytes per call and is interrupted once, as a slow or signalled write can be.
class ShortWrites : public FileSystemCalls {
public:
    ssize_t Write(int fd, const void* data, size_t size) override {
        if (!interrupted_) {
            interrupted_ = true;
            errno = EINTR;
            return -1;
        }
        return FileSystemCalls::Write(fd, data, size < 7 ? size : 7);
    }

private:
    bool interrupted_ = false;
};

TEST_F(FileReplacerTest, ShortAndInterruptedWritesStillWriteEverything) {
    ASSERT_TRUE(FileReplacer(std::make_shared<ShortWrites>()).Replace(Target(), kNew));
    EXPECT_EQ(ReadText(Target()), kNew);
}

// The first temporary name is taken, as by a file left from an earlier run.
class FirstNameTaken : public FileSystemCalls {
public:
    int Open(const char* path, int flags, mode_t mode) override {
        if (takenName.empty()) {
            takenName = path;
            errno = EEXIST;
            return -1;
        }
        return FileSystemCalls::Open(path, flags, mode);
    }
    int Unlink(const char* path) override {
        unlinkedTaken = unlinkedTaken || takenName == path;
        return FileSystemCalls::Unlink(path);
    }

    std::string takenName;
    bool unlinkedTaken = false;
};

TEST_F(FileReplacerTest, TakenTemporaryNameIsSkippedAndNotRemoved) {
    auto calls = std::make_shared<FirstNameTaken>();
    ASSERT_TRUE(FileReplacer(calls).Replace(Target(), kNew));
    EXPECT_EQ(ReadText(Target()), kNew);
    EXPECT_FALSE(calls->takenName.empty());
    EXPECT_FALSE(calls->unlinkedTaken);
}

}  // namespace
