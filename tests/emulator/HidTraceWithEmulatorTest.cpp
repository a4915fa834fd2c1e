// The report trace of known exchanges with the emulated keyboard.
#include <mutex>

#include "EmulatorFixture.h"
#include "device/HidTrace.h"

namespace {

class HidTraceWithEmulatorTest : public EmulatorFixture {
protected:
    HidTraceWithEmulatorTest() {
        SetHidTraceWriter([this](const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line.substr(13));  // past the time of day
        });
    }
    ~HidTraceWithEmulatorTest() override { SetHidTraceWriter({}); }

    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

    std::mutex mutex_;
    std::vector<std::string> lines_;
};

TEST_F(HidTraceWithEmulatorTest, WriteThenQueryTracesEveryReport) {
    ASSERT_TRUE(HidTraceOn());
    const std::uint8_t set = 2;
    EXPECT_EQ(Send(ColourSet, 0, set), 1);
    EXPECT_EQ(Query<std::uint8_t>(ColourSet, 0), 2);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "hid set command=0x08 (ColourSet) sub=0 offset=0 length=1 bytes=02 "
                           "result=ok",
                           "hid set command=0x88 (ColourSet query) sub=0 offset=0 length=1 bytes= "
                           "result=ok",
                           "hid get command=0x88 (ColourSet answer) sub=0 offset=0 length=1 "
                           "bytes=02 result=ok",
                       }));
}

TEST_F(HidTraceWithEmulatorTest, RefusedAndLostReportsGiveTheirReason) {
    // The information block has no sub 1: the firmware refuses the request.
    EXPECT_EQ(Query<std::uint8_t>(DeviceInfo, 1, 0), 0);
    backend_->UnplugKeyboard();
    EXPECT_EQ(Query<std::uint8_t>(ColourSet, 0, 0), 0);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "hid set command=0x81 (DeviceInfo query) sub=1 offset=0 length=1 bytes= "
              "result=failed: Broken pipe (errno 32)");
    EXPECT_EQ(lines[1],
              "hid set command=0x88 (ColourSet query) sub=0 offset=0 length=1 bytes= "
              "result=failed: No such device (errno 19)");
}

TEST_F(HidTraceWithEmulatorTest, OpeningAGoneKeyboardTracesWhyAndKeepsIt) {
    backend_->UnplugKeyboard();
    testing::internal::CaptureStdout();
    EXPECT_EQ(link_.Open(EmulatedBackend::KeyboardPath()), 0);
    testing::internal::GetCapturedStdout();
    const std::string path = EmulatedBackend::KeyboardPath();
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "hid open write " + path + " result=failed: No such device (errno 19)",
                           "hid open read " + path + " result=failed: No such device (errno 19)",
                       }));
    EXPECT_EQ(link_.OpenFailure(), HidFailure::FromErrno(ENODEV));
    // A report on the handle that never opened names the open's failure.
    EXPECT_EQ(Send(ColourSet, 0, std::uint8_t{1}), 0);
    EXPECT_EQ(Lines().back(),
              "hid set command=0x08 (ColourSet) sub=0 offset=0 length=1 bytes=01 "
              "result=failed: opening failed: No such device (errno 19)");
}

TEST_F(HidTraceWithEmulatorTest, DecoyInterfaceStallsItsReports) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(link_.Open(EmulatedBackend::KeyboardInterfacePaths()[3]), 2);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Query<std::uint8_t>(ColourSet, 0, 0), 0);
    ASSERT_FALSE(Lines().empty());
    EXPECT_NE(Lines().back().find("Broken pipe (errno 32)"), std::string::npos) << Lines().back();
}

TEST(HidTraceSilence, NothingIsWrittenWhenTheTraceIsOff) {
    if (HidTraceOn()) GTEST_SKIP() << "KEYLUME_DEBUG asks for the trace in this environment";
    auto backend = std::make_shared<EmulatedBackend>();
    DeviceLink link(backend);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    link.Open(EmulatedBackend::KeyboardPath());
    std::uint8_t value = 0;
    EXPECT_EQ(QueryFeature(link, ColourSet, 0, &value, 1), 1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
