// Reading key coordinates files, and what is not a file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include "widgets/CoordsFile.h"

namespace fs = std::filesystem;

namespace {

class CoordsFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("coords-test-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path file = folder / name;
        std::ofstream(file) << text;
        return file.string();
    }

    fs::path folder;
};

TEST_F(CoordsFile, ReadsKeysInFileOrder) {
    const auto keys = SOUI::ReadCoordsFile(
        Write("keys.xml",
              "<positions><key id='4' value='30' index='2' name='A' rect='10, 20, 30, 40'"
              " bground='4278190335' fground='0xFF'/><other/></positions>"));
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].id, 4);
    EXPECT_EQ(keys[0].name, L"A");
    EXPECT_EQ(keys[0].rect, (CoordRect{10, 20, 40, 60}));
    EXPECT_EQ(keys[0].bground, 4278190335u);
    EXPECT_EQ(keys[0].fground, 0u);  // hexadecimal reads as 0
    EXPECT_EQ(keys[1].order, 1);
    EXPECT_EQ(keys[1].id, -1);
}

TEST_F(CoordsFile, FolderGivesNoKeys) {
    fs::create_directories(folder / "sub");
    EXPECT_TRUE(SOUI::ReadCoordsFile((folder / "sub").string()).empty());
    EXPECT_TRUE(SOUI::ReadCoordsFile(folder.string() + "/").empty());
}

TEST_F(CoordsFile, PipeWithoutWriterGivesNoKeysAtOnce) {
    const std::string pipe = (folder / "pipe.xml").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return SOUI::ReadCoordsFile(pipe); });
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading a pipe waits for a writer";
        // Lets the blocked open go on, so the test can end.
        const int writer = open(pipe.c_str(), O_WRONLY);
        if (writer >= 0) close(writer);
    }
    EXPECT_TRUE(reading.get().empty());
}

}  // namespace
