// logind's session files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "device/diagnose/SessionFiles.h"

namespace fs = std::filesystem;

namespace {

TEST(ParseSessionFile, ReadsTheFieldsThatMatter) {
    const auto session = ParseSessionFile("3",
                                          "# This is private data. Do not parse.\n"
                                          "UID=1000\nUSER=alice\nACTIVE=1\nIS_DISPLAY=1\n"
                                          "STATE=active\nREMOTE=0\nTYPE=wayland\nSEAT=seat0\n");
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->id, "3");
    EXPECT_EQ(session->uid, 1000u);
    EXPECT_EQ(session->seat, "seat0");
    EXPECT_TRUE(session->active);
    EXPECT_FALSE(session->remote);
    EXPECT_EQ(session->type, "wayland");
}

TEST(ParseSessionFile, RemoteSessionWithoutSeat) {
    const auto session = ParseSessionFile("c2", "UID=1000\nREMOTE=1\nACTIVE=1\nTYPE=tty\n");
    ASSERT_TRUE(session.has_value());
    EXPECT_TRUE(session->remote);
    EXPECT_TRUE(session->seat.empty());
}

TEST(ParseSessionFile, RefusesFilesWithoutAUser) {
    for (const char* text : {"", "ACTIVE=1\n", "UID=\n", "UID=abc\n", "UID=12x\n", "UID=-1\n",
                             "UID=99999999999999999999\n"})
        EXPECT_FALSE(ParseSessionFile("1", text).has_value()) << text;
}

TEST(ReadSessions, KeepsTheUsersSessionsInOrder) {
    const fs::path folder =
        fs::temp_directory_path() / ("keylume-sessions-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "5") << "UID=1000\nACTIVE=0\nSEAT=seat0\n";
    std::ofstream(folder / "2") << "UID=1000\nACTIVE=1\nSEAT=seat0\n";
    std::ofstream(folder / "4") << "UID=1001\nACTIVE=1\n";
    std::ofstream(folder / "broken") << "garbage";
    fs::create_directories(folder / "subfolder");
    const auto sessions = ReadSessions(folder.string(), 1000);
    ASSERT_TRUE(sessions.has_value());
    ASSERT_EQ(sessions->size(), 2u);
    EXPECT_EQ((*sessions)[0].id, "2");
    EXPECT_TRUE((*sessions)[0].active);
    EXPECT_EQ((*sessions)[1].id, "5");
    fs::remove_all(folder);
    EXPECT_FALSE(ReadSessions(folder.string(), 1000).has_value());
}

}  // namespace
