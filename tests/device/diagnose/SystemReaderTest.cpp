// The reader of the real system, as far as a machine without the keyboard allows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "device/diagnose/SystemReader.h"
#include "device/diagnose/Verdict.h"

namespace fs = std::filesystem;

namespace {

// Whether sysfs lists a HID device of the keyboard's vendor, read independently of udev.
bool SysfsListsTheVendor() {
    std::error_code error;
    for (fs::directory_iterator it("/sys/class/hidraw", error), end; !error && it != end;
         it.increment(error)) {
        std::ifstream uevent(it->path() / "device" / "uevent");
        for (std::string line; std::getline(uevent, line);)
            if (line.rfind("HID_ID=", 0) == 0 && line.find(":00001A2C:") != std::string::npos)
                return true;
    }
    return false;
}

class NodeFile : public testing::Test {
protected:
    NodeFile() { std::ofstream(path_) << "x"; }
    ~NodeFile() override { fs::remove(path_); }
    const std::string path_ =
        (fs::temp_directory_path() / ("keylume-node-" + std::to_string(getpid()))).string();
};

TEST_F(NodeFile, AccessIsReadFromTheFileSystem) {
    ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
    const NodeAccess access = ReadNodeAccess(path_);
    EXPECT_TRUE(access.known);
    EXPECT_EQ(access.owner, getuid());
    EXPECT_EQ(access.mode, 0640u);
    EXPECT_TRUE(access.aclKnown);
    EXPECT_TRUE(access.acl.empty());
}

TEST_F(NodeFile, OpeningReportsTheSystemsAnswer) {
    EXPECT_TRUE(TryOpen(path_, false).ok);
    EXPECT_TRUE(TryOpen(path_, true).ok);
    const OpenResult missing = TryOpen(path_ + ".gone", false);
    EXPECT_TRUE(missing.attempted);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failure.error, ENOENT);
    EXPECT_FALSE(ReadNodeAccess(path_ + ".gone").known);
    if (geteuid() == 0) GTEST_SKIP() << "root opens files whatever their mode";
    ASSERT_EQ(chmod(path_.c_str(), 0400), 0);
    EXPECT_EQ(TryOpen(path_, true).failure.error, EACCES);
}

TEST(UserFactsReader, NamesThisUserAndItsGroups) {
    const UserFacts user = ReadUserFacts("/nonexistent-session-folder");
    EXPECT_EQ(user.uid, getuid());
    ASSERT_FALSE(user.groups.empty());
    EXPECT_EQ(user.groups.front(), getgid());
    EXPECT_FALSE(user.sessionsKnown);
}

TEST(SystemReader, ThisMachineWithoutTheKeyboardGetsTheNoKeyboardVerdict) {
    if (SysfsListsTheVendor()) GTEST_SKIP() << "a device of the keyboard's vendor is plugged in";
    const SystemFacts facts = ReadSystemFacts(SystemLocations::Default());
    EXPECT_FALSE(facts.emulated);
    EXPECT_TRUE(facts.interfaces.empty());
    EXPECT_EQ(facts.rules.folders.size(), 5u);
    EXPECT_EQ(Diagnose(facts).verdict, Verdict::NoKeyboard);
}

}  // namespace
