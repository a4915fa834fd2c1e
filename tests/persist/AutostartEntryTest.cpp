// The autostart entry: its Exec line takes any program path, and it comes and goes.
#include <gtest/gtest.h>

#include <fstream>

#include "persist/AutostartEntry.h"

namespace {

namespace fs = std::filesystem;

TEST(AutostartEntry, ArgumentsAreQuotedWhereTheExecLineNeedsIt) {
    const struct {
        const char* argument;
        const char* exec;
    } cases[] = {
        {"/usr/bin/keylume", "/usr/bin/keylume"},
        {"--background", "--background"},
        {"/home/a b/keylume", "\"/home/a b/keylume\""},
        {"/opt/100%/keylume", "/opt/100%%/keylume"},
        {"/x/$HOME\"`\\", "\"/x/\\\\$HOME\\\\\"\\\\`\\\\\\\\\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(persist::ExecArgument(c.argument), c.exec) << c.argument;
}

TEST(AutostartEntry, IsWrittenAndRemovedAndHonoursTheDesktopsHidden) {
    const fs::path file =
        fs::path(testing::TempDir()) / "autostart-test" / "autostart" / "k.desktop";
    fs::remove_all(file.parent_path().parent_path());
    EXPECT_FALSE(persist::AutostartOn(file));
    ASSERT_EQ(persist::WriteAutostart(file, "/usr/bin/keylume", {"--background"}), "");
    EXPECT_TRUE(persist::AutostartOn(file));
    std::ofstream(file, std::ios::app) << "Hidden=true\n";
    EXPECT_FALSE(persist::AutostartOn(file));
    EXPECT_EQ(persist::RemoveAutostart(file), "");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(persist::AutostartFile({"/cfg", "/home/u"}),
              "/cfg/autostart/org.keylume.Keylume.desktop");
}

}  // namespace
