#include "files/FileReplacer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "files/FailingFileCalls.h"
#include "files/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using files::FileReplacer;
using files::FileSystemCalls;
using files_test::EntryCount;
using files_test::FailingFileCalls;
using files_test::ReadText;
using files_test::TempFolder;
using files_test::WriteText;
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

// A new file is the user's alone; a replaced one keeps its permission bits, never set-id bits.
TEST_F(FileReplacerTest, NewFilesArePrivateAndReplacedOnesKeepTheirPermissions) {
    const struct {
        mode_t before;  // 0: no file yet
        mode_t after;
    } cases[] = {{0, 0600}, {0640, 0640}, {04750, 0750}};
    for (const auto& c : cases) {
        fs::remove(Target());
        if (c.before != 0) {
            WriteText(Target(), kOld);
            ASSERT_EQ(::chmod(Target().c_str(), c.before), 0);
        }
        ASSERT_TRUE(FileReplacer().Replace(Target(), kNew)) << std::oct << c.before;
        struct stat info {};
        ASSERT_EQ(::stat(Target().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << std::oct << c.before;
    }
}

// A link is followed only where no other user can have planted it.
TEST_F(FileReplacerTest, ALinkIsFollowedOnlyWhenTheUserMadeItInAFolderOfTheirOwn) {
    const struct {
        const char* what;
        mode_t folderMode;
        bool otherUsersLink;
        bool followed;
    } cases[] = {
        {"own link, own folder", 0700, false, true},
        {"own link, sticky folder open to all", 01777, false, false},
        {"another user's link", 0700, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path links = folder / c.what;
        const fs::path real = folder / (std::string(c.what) + ".real");
        fs::create_directory(links);
        ASSERT_EQ(::chmod(links.c_str(), c.folderMode), 0);
        WriteText(real, kOld);
        fs::create_symlink(real, links / "out.json");
        if (c.otherUsersLink && ::lchown((links / "out.json").c_str(), 65534, 65534) != 0) {
            continue;  // only an administrator can give a link to another user
        }
        const files::Replaced replaced = FileReplacer().Replace(links / "out.json", kNew);
        EXPECT_EQ(static_cast<bool>(replaced), c.followed) << replaced.error;
        EXPECT_EQ(ReadText(real), c.followed ? kNew : kOld);
        EXPECT_TRUE(fs::is_symlink(links / "out.json"));
        if (!c.followed) {
            EXPECT_NE(replaced.error.find("link"), std::string::npos);
        }
    }
}

// Write protection counts even for a user the system would let write.
TEST_F(FileReplacerTest, AWriteProtectedFileIsNeverReplaced) {
    WriteText(Target(), kOld);
    fs::permissions(Target(), fs::perms::owner_read | fs::perms::group_read);
    const files::Replaced replaced = FileReplacer().Replace(Target(), kNew);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(replaced.error, std::strerror(EACCES));
    EXPECT_EQ(ReadText(Target()), kOld);
    EXPECT_EQ(EntryCount(folder.path()), 1u);
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
        const int error = step == Step::Open ? EROFS : EIO;
        const files::Replaced replaced = Failing(step, error).Replace(Target(), kNew);
        EXPECT_FALSE(replaced) << static_cast<int>(step);
        EXPECT_EQ(replaced.error, std::strerror(error)) << static_cast<int>(step);
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
