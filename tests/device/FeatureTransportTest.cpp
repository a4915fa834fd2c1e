#include <gtest/gtest.h>

#include <numeric>

#include "FakeHidBackend.h"
#include "device/FeatureTransport.h"

namespace {

class FeatureTransportTest : public testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        link_.Open("\\\\?\\hid#vid_1a2c&pid_1514&mi_03#1#{g}");
        testing::internal::GetCapturedStdout();
    }

    std::vector<std::uint8_t> Bytes(std::size_t count) {
        std::vector<std::uint8_t> bytes(count);
        std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
        return bytes;
    }

    std::shared_ptr<FakeHidBackend> backend_ = std::make_shared<FakeHidBackend>();
    DeviceLink link_{backend_};
};

TEST_F(FeatureTransportTest, PacketTravelsLittleEndianAfterReportIdZero) {
    FeaturePacket packet;
    packet.offset = 0x04030201;
    packet.length = 0x0605;
    packet.command = 7;
    packet.sub = 8;
    packet.data[0] = 9;
    packet.data[511] = 10;
    std::uint8_t report[kFeatureReportSize] = {0xEE};
    packet.ToReport(report);
    EXPECT_EQ(report[0], 0);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(report[i], i) << i;
    EXPECT_EQ(report[520], 10);
    FeaturePacket back = FeaturePacket::FromReport(report);
    EXPECT_EQ(back.offset, packet.offset);
    EXPECT_EQ(back.length, packet.length);
    EXPECT_EQ(back.data[511], 10);
}

TEST_F(FeatureTransportTest, SmallWriteIsOneZeroPaddedReport) {
    std::uint8_t data[] = {0xAB, 0xCD};
    EXPECT_EQ(SendFeature(link_, KeyCodes, 3, 0, data, 2), 2);
    ASSERT_EQ(backend_->sentReports.size(), 1u);
    const std::vector<std::uint8_t>& report = backend_->sentReports[0];
    ASSERT_EQ(report.size(), kFeatureReportSize);
    std::vector<std::uint8_t> expected(kFeatureReportSize, 0);
    expected[5] = 2;
    expected[7] = KeyCodes;
    expected[8] = 3;
    expected[9] = 0xAB;
    expected[10] = 0xCD;
    EXPECT_EQ(report, expected);
}

TEST_F(FeatureTransportTest, LongWriteIsChunkedBy512) {
    std::vector<std::uint8_t> data = Bytes(1200);
    EXPECT_EQ(SendFeature(link_, MacroSlot, 1, 0, data.data(), 1200), 1200);
    ASSERT_EQ(backend_->sentPackets.size(), 3u);
    const std::pair<std::uint32_t, std::uint16_t> chunks[] = {{0, 512}, {512, 512}, {1024, 176}};
    for (std::size_t i = 0; i < 3; ++i) {
        const FeaturePacket& packet = backend_->sentPackets[i];
        EXPECT_EQ(packet.offset, chunks[i].first);
        EXPECT_EQ(packet.length, chunks[i].second);
        EXPECT_EQ(packet.command, MacroSlot);
        EXPECT_EQ(packet.data[0], data[chunks[i].first]);
        EXPECT_EQ(packet.data[chunks[i].second - 1], data[chunks[i].first + chunks[i].second - 1]);
    }
}

TEST_F(FeatureTransportTest, WriteStopsAtTheFirstFailedReport) {
    backend_->failSetReport = 1;
    std::vector<std::uint8_t> data = Bytes(1200);
    EXPECT_EQ(SendFeature(link_, MacroSlot, 0, 0, data.data(), 1200), 512);
    EXPECT_EQ(backend_->sentPackets.size(), 2u);
    backend_->failSetReport = 2;
    EXPECT_EQ(SendFeature(link_, MacroSlot, 0, 0, data.data(), 1), 0);
}

TEST_F(FeatureTransportTest, WriteStartsAtTheGivenOffset) {
    std::uint8_t data[] = {0xFF, 0xFF};
    EXPECT_EQ(SendFeature(link_, DeviceControl, 0, 10, data, 2), 2);
    EXPECT_EQ(backend_->sentPackets[0].offset, 10u);
}

TEST_F(FeatureTransportTest, NullDataSendsZeroBytes) {
    EXPECT_EQ(SendFeature(link_, KeyColours, 0, 0, nullptr, 600), 600);
    ASSERT_EQ(backend_->sentPackets.size(), 2u);
    EXPECT_EQ(backend_->sentPackets[1].length, 88);
    for (std::uint8_t byte : backend_->sentPackets[0].data) ASSERT_EQ(byte, 0);
}

TEST_F(FeatureTransportTest, SubIsCutToItsLowByte) {
    std::uint8_t value = 1;
    SendFeature(link_, ModeRegister, 300, 0, &value, 1);
    EXPECT_EQ(backend_->sentPackets[0].sub, 44);
}

TEST_F(FeatureTransportTest, EmptyWriteSendsOneReportAndReturnsZero) {
    EXPECT_EQ(SendFeature(link_, ColourSet, 0, 0, nullptr, 0), 0);
    ASSERT_EQ(backend_->sentPackets.size(), 1u);
    EXPECT_EQ(backend_->sentPackets[0].length, 0);
}

TEST_F(FeatureTransportTest, NegativeLengthsTransferNothing) {
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(SendFeature(link_, ColourSet, 0, 0, buffer, -1), 0);
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, buffer, -1), 0);
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, nullptr, 4), 0);
    EXPECT_TRUE(backend_->sentPackets.empty());
}

TEST_F(FeatureTransportTest, ClosedWriteHandleFailsWithoutTheDriver) {
    link_.Close();
    std::uint8_t value = 1;
    EXPECT_EQ(SendFeature(link_, ColourSet, 0, 0, &value, 1), 0);
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, &value, 1), 0);
    EXPECT_TRUE(backend_->sentPackets.empty());
}

TEST_F(FeatureTransportTest, ClosedReadHandleSendsTheRequestOnly) {
    backend_->refuseRead = true;
    testing::internal::CaptureStdout();
    link_.Open("\\\\?\\hid#vid_1a2c&pid_1514&mi_03#1#{g}");
    testing::internal::GetCapturedStdout();
    backend_->EchoWith([](std::size_t) { return 1; });
    std::uint8_t value = 0;
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, &value, 1), 0);
    EXPECT_EQ(backend_->sentPackets.size(), 1u);
    EXPECT_EQ(backend_->getCalls, 0);
}

TEST_F(FeatureTransportTest, QueryRequestCarriesTheQueryFlagAndNoData) {
    backend_->EchoWith([](std::size_t i) { return static_cast<std::uint8_t>(i + 1); });
    std::uint8_t dest[218] = {};
    EXPECT_EQ(QueryFeature(link_, KeyCodes, 0, dest, 218), 218);
    ASSERT_EQ(backend_->sentPackets.size(), 1u);
    const FeaturePacket& request = backend_->sentPackets[0];
    EXPECT_EQ(request.command, 0x89);
    EXPECT_EQ(request.length, 218);
    EXPECT_EQ(request.offset, 0u);
    for (std::uint8_t byte : request.data) ASSERT_EQ(byte, 0);
    EXPECT_EQ(dest[0], 1);
    EXPECT_EQ(dest[217], 218);
}

TEST_F(FeatureTransportTest, QueryCopiesReportBytes9To98) {
    backend_->responder = [](const FeaturePacket& request) {
        FeaturePacket answer = request;
        answer.length = 3;  // not checked
        for (std::size_t i = 0; i < kFeatureDataSize; ++i)
            answer.data[i] = static_cast<std::uint8_t>(i);
        return std::optional<FeaturePacket>(answer);
    };
    std::uint8_t info[91];
    std::fill(std::begin(info), std::end(info), 0xEE);
    EXPECT_EQ(QueryFeature(link_, DeviceInfo, 0, info, 90), 90);
    for (int i = 0; i < 90; ++i) ASSERT_EQ(info[i], i);
    EXPECT_EQ(info[90], 0xEE);
}

TEST_F(FeatureTransportTest, QueryRejectsAnswersThatDoNotEchoTheRequest) {
    struct Case {
        const char* what;
        std::function<void(FeaturePacket&)> spoil;
    };
    const Case cases[] = {
        {"command without query flag", [](FeaturePacket& p) { p.command = KeyCodes; }},
        {"other command", [](FeaturePacket& p) { p.command = 0x88; }},
        {"other offset", [](FeaturePacket& p) { p.offset += 1; }},
        {"other sub", [](FeaturePacket& p) { p.sub = 2; }},
    };
    for (const Case& c : cases) {
        backend_->responder = [&c](const FeaturePacket& request) {
            FeaturePacket answer = request;
            c.spoil(answer);
            return std::optional<FeaturePacket>(answer);
        };
        std::uint8_t dest[4] = {};
        EXPECT_EQ(QueryFeature(link_, KeyCodes, 1, dest, 4), 0) << c.what;
    }
}

TEST_F(FeatureTransportTest, QueryWithSubAbove255NeverSucceeds) {
    backend_->EchoWith([](std::size_t) { return 7; });
    std::uint8_t dest = 0;
    EXPECT_EQ(QueryFeature(link_, ModeRegister, 300, &dest, 1), 0);
    EXPECT_EQ(backend_->sentPackets[0].sub, 44);
    EXPECT_EQ(QueryFeature(link_, ModeRegister, 44, &dest, 1), 1);
}

TEST_F(FeatureTransportTest, LongQueryAsksChunkByChunkAndKeepsWhatArrived) {
    backend_->EchoWith([](std::size_t i) { return static_cast<std::uint8_t>(i / 512 + 1); });
    std::vector<std::uint8_t> dest(1100);
    EXPECT_EQ(QueryFeature(link_, MacroSlot, 0, dest.data(), 1100), 1100);
    ASSERT_EQ(backend_->sentPackets.size(), 3u);
    EXPECT_EQ(backend_->sentPackets[1].offset, 512u);
    EXPECT_EQ(backend_->sentPackets[2].length, 76);
    EXPECT_EQ(dest[511], 1);
    EXPECT_EQ(dest[512], 2);
    EXPECT_EQ(dest[1099], 3);

    int answers = 0;
    backend_->responder = [&answers](const FeaturePacket& request) -> std::optional<FeaturePacket> {
        if (++answers == 2) return std::nullopt;
        return request;
    };
    EXPECT_EQ(QueryFeature(link_, MacroSlot, 0, dest.data(), 1100), 512);
}

TEST_F(FeatureTransportTest, FailedRequestEndsTheQuery) {
    backend_->failSetReport = 0;
    backend_->EchoWith([](std::size_t) { return 1; });
    std::uint8_t dest = 0;
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, &dest, 1), 0);
    EXPECT_EQ(backend_->getCalls, 0);
}

TEST_F(FeatureTransportTest, TransportLockIsReleasedWhenTheDriverThrows) {
    backend_->throwOnReport = true;
    std::uint8_t value = 1;
    EXPECT_THROW(SendFeature(link_, ColourSet, 0, 0, &value, 1), std::runtime_error);
    ASSERT_TRUE(link_.TransportLock().try_lock());
    link_.TransportLock().unlock();
}

}  // namespace
