// The lines of the report trace and the switch that turns it on.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <regex>

#include "device/DeviceCommand.h"
#include "device/HidTrace.h"
#include "trace/Trace.h"

namespace {

TEST(HidTraceSwitch, ReadsTheTopicsOfTheVariable) {
    struct Case {
        const char* value;
        bool on;
    };
    const Case cases[] = {
        {nullptr, false}, {"", false},      {"hid", true},    {"HID", true},
        {"all", true},    {"ui,hid", true}, {"ui hid", true}, {"hidraw", false},
        {"ui", false},    {"h,i,d", false}, {",hid,", true},  {"xhid", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HidTraceRequested(c.value), c.on) << (c.value ? c.value : "(unset)");
}

// The time of day at the head of every line, then the rest.
std::string WithoutTime(const std::string& line) {
    static const std::regex head("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ");
    EXPECT_TRUE(std::regex_search(line, head)) << line;
    return line.substr(13);
}

class HidTraceLine : public testing::Test {
protected:
    FeaturePacket packet_;
    std::chrono::system_clock::time_point time_ = std::chrono::system_clock::now();
};

TEST_F(HidTraceLine, SetCarriesItsDataBytes) {
    packet_.command = ColourSet;
    packet_.sub = 2;
    packet_.offset = 16;
    packet_.length = 3;
    packet_.data[0] = 0x0A;
    packet_.data[1] = 0xFF;
    packet_.data[3] = 0x77;  // beyond the length: not shown
    EXPECT_EQ(WithoutTime(FormatHidTraceLine({time_, HidTraceDirection::Set, &packet_, true, {}})),
              "hid set command=0x08 (ColourSet) sub=2 offset=16 length=3 bytes=0a ff 00 "
              "result=ok");
}

TEST_F(HidTraceLine, QueryRequestShowsNoBytesAndAnswerShowsThem) {
    packet_.command = DeviceInfo | kQueryFlag;
    packet_.length = 2;
    packet_.data[0] = 0x12;
    EXPECT_EQ(WithoutTime(FormatHidTraceLine({time_, HidTraceDirection::Set, &packet_, true, {}})),
              "hid set command=0x81 (DeviceInfo query) sub=0 offset=0 length=2 bytes= result=ok");
    EXPECT_EQ(WithoutTime(FormatHidTraceLine({time_, HidTraceDirection::Get, &packet_, true, {}})),
              "hid get command=0x81 (DeviceInfo answer) sub=0 offset=0 length=2 bytes=12 00 "
              "result=ok");
}

TEST_F(HidTraceLine, FailuresCarryTheirReason) {
    packet_.command = 0x3F;  // no such command
    packet_.length = 0;
    EXPECT_EQ(WithoutTime(FormatHidTraceLine(
                  {time_, HidTraceDirection::Set, &packet_, false, HidFailure::FromErrno(EPIPE)})),
              "hid set command=0x3f (unknown) sub=0 offset=0 length=0 bytes= result=failed: "
              "Broken pipe (errno 32)");
    EXPECT_EQ(WithoutTime(FormatHidTraceLine({time_, HidTraceDirection::Get, nullptr, false, {}})),
              "hid get result=failed: unknown reason");
}

TEST_F(HidTraceLine, AnswerWithAnOversizedLengthShowsOnePacketAtMost) {
    packet_.command = KeyColours | kQueryFlag;
    packet_.length = 0xFFFF;
    const std::string line =
        FormatHidTraceLine({time_, HidTraceDirection::Get, &packet_, true, {}});
    const std::size_t bytes = line.find("bytes=") + 6;
    const std::size_t end = line.find(" result=");
    EXPECT_EQ(end - bytes, kFeatureDataSize * 3 - 1);
}

TEST_F(HidTraceLine, TimeIsTheLocalTimeOfDay) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 7;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    const auto time =
        std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(42);
    EXPECT_EQ(FormatHidOpenLine(time, true, "p", false, HidFailure::FromErrno(EACCES)),
              "07:05:03.042 hid open write p result=failed: Permission denied (errno 13)");
    EXPECT_EQ(FormatHidOpenLine(time, false, "q", true, {}),
              "07:05:03.042 hid open read q result=ok");
}

// The sink writes a line only up to its level, through the writer given to it.
TEST(TraceSink, WritesOnlyUpToItsLevel) {
    if (trace::LevelRequested(std::getenv("KEYLUME_DEBUG")) != trace::Level::Off)
        GTEST_SKIP() << "KEYLUME_DEBUG raises the level in this environment";
    std::vector<std::pair<trace::Level, std::string>> lines;
    trace::SetWriter([&](trace::Level level, std::string_view line) {
        lines.emplace_back(level, std::string(line));
    });
    for (trace::Level level : {trace::Level::Off, trace::Level::Info, trace::Level::Hid}) {
        trace::SetLevel(level);
        trace::Line(trace::Level::Info, "info");
        trace::Printf(trace::Level::Hid, "hid %d", static_cast<int>(level));
    }
    trace::SetWriter({});
    trace::SetLevel(trace::Level::Info);
    const std::vector<std::pair<trace::Level, std::string>> wanted{
        {trace::Level::Info, "info"}, {trace::Level::Info, "info"}, {trace::Level::Hid, "hid 2"}};
    EXPECT_EQ(lines, wanted);
}

}  // namespace
