#include <poll.h>

#include <future>
#include <thread>

#include "EmulatorFixture.h"

namespace {

using namespace std::chrono_literals;

std::vector<std::string> FindKeyboard(HidBackend& backend, std::initializer_list<int> ids) {
    testing::internal::CaptureStdout();
    auto found = FindHidInterfaces(backend, ids.begin(), static_cast<int>(ids.size()));
    testing::internal::GetCapturedStdout();
    return found;
}

bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN);
}

std::vector<HidEvent> Drain(HidMonitor& monitor) {
    std::vector<HidEvent> events;
    while (auto event = monitor.Next()) events.push_back(*event);
    return events;
}

TEST(EmulatedBackendDiscovery, KeyboardShowsItsInterfacesAndDecoys) {
    EmulatedBackend backend;
    std::vector<std::string> paths = backend.Enumerate();
    EXPECT_EQ(paths, EmulatedBackend::KeyboardInterfacePaths());
    EXPECT_EQ(std::count_if(paths.begin(), paths.end(),
                            [](const std::string& p) { return IsKeyboardPath(p); }),
              1);
    std::vector<std::string> found = FindKeyboard(backend, {0x1514});
    ASSERT_EQ(found.size(), 2u);  // interface 3 and its decoy with a collection
    EXPECT_EQ(found.front(), EmulatedBackend::KeyboardPath());
    EXPECT_TRUE(FindKeyboard(backend, {0x1511, 0x1512}).empty());
}

TEST(EmulatedBackendDiscovery, OldFirmwareKeyboardOnRequest) {
    EmulatedBackend backend;
    backend.UnplugKeyboard();
    backend.PlugOldFirmware(0x1512);
    EXPECT_TRUE(FindKeyboard(backend, {0x1514}).empty());
    EXPECT_EQ(FindKeyboard(backend, {0x1511, 0x1512}),
              std::vector<std::string>{EmulatedBackend::OldFirmwarePath(0x1512)});
    backend.UnplugOldFirmware();
    EXPECT_TRUE(backend.Enumerate().empty());
}

TEST(EmulatedBackendDiscovery, OnlyInterfaceThreeAnswers) {
    auto backend = std::make_shared<EmulatedBackend>();
    backend->PlugOldFirmware();
    DeviceLink link(backend);
    std::uint8_t value = 0;
    testing::internal::CaptureStdout();
    for (const std::string& path : backend->Enumerate()) {
        ASSERT_EQ(link.Open(path), 2) << path;
        bool answers = path == EmulatedBackend::KeyboardPath();
        EXPECT_EQ(QueryFeature(link, ActiveProfile, 0, &value, 1), answers ? 1 : 0) << path;
    }
    EXPECT_EQ(link.Open("\\\\?\\hid#vid_1a2c&pid_1514&mi_03#unknown#{g}"), 0);
    testing::internal::GetCapturedStdout();
}

TEST(EmulatedBackendHotPlug, MonitorReportsEveryInterfaceThroughItsFd) {
    EmulatedBackend backend;
    std::unique_ptr<HidMonitor> monitor = backend.Monitor();
    ASSERT_GE(monitor->Fd(), 0);
    EXPECT_FALSE(Readable(monitor->Fd()));
    backend.UnplugKeyboard();
    backend.UnplugKeyboard();  // already gone: no second round of events
    EXPECT_TRUE(Readable(monitor->Fd()));
    std::vector<HidEvent> removals = Drain(*monitor);
    EXPECT_FALSE(Readable(monitor->Fd()));
    ASSERT_EQ(removals.size(), 4u);
    for (std::size_t i = 0; i < removals.size(); ++i) {
        EXPECT_EQ(removals[i].kind, HidEvent::Kind::Removal);
        EXPECT_EQ(removals[i].path, EmulatedBackend::KeyboardInterfacePaths()[i]);
    }
    EXPECT_TRUE(backend.Enumerate().empty());

    backend.PlugKeyboard();
    std::vector<HidEvent> arrivals = Drain(*monitor);
    ASSERT_EQ(arrivals.size(), 4u);
    EXPECT_EQ(arrivals[2], (HidEvent{HidEvent::Kind::Arrival, EmulatedBackend::KeyboardPath()}));
}

TEST(EmulatedBackendHotPlug, EachMonitorGetsItsOwnEvents) {
    EmulatedBackend backend;
    auto first = backend.Monitor();
    backend.UnplugKeyboard();
    auto second = backend.Monitor();
    backend.PlugKeyboard();
    EXPECT_EQ(Drain(*first).size(), 8u);
    EXPECT_EQ(Drain(*second).size(), 4u);
}

using EmulatedBackendTest = EmulatorFixture;

TEST_F(EmulatedBackendTest, HandlesDieWithTheUnplugAndStayDeadAfterReplug) {
    std::uint8_t value = 0;
    backend_->UnplugKeyboard();
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 0);
    backend_->PlugKeyboard();
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(link_.Open(EmulatedBackend::KeyboardPath()), 2);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 1);
}

TEST_F(EmulatedBackendTest, LogKeepsEveryReportInOrder) {
    std::uint8_t value = 1;
    Send(ColourSet, 0, value);
    Query<std::uint8_t>(ColourSet, 0);
    std::vector<ReportRecord> log = backend_->Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].number, 1u);
    EXPECT_EQ(log[0].direction, ReportRecord::Direction::Set);
    EXPECT_EQ(log[0].packet.command, ColourSet);
    EXPECT_EQ(log[0].packet.data[0], 1);
    EXPECT_EQ(log[1].packet.command, ColourSet | 0x80);
    EXPECT_EQ(log[2].direction, ReportRecord::Direction::Get);
    EXPECT_EQ(log[2].packet.data[0], 1);
    EXPECT_EQ(log[2].path, EmulatedBackend::KeyboardPath());
    EXPECT_TRUE(log[2].accepted);
    EXPECT_EQ(backend_->ReportCount(), 3u);

    backend_->ClearLog();
    backend_->SetLogging(false);
    Query<std::uint8_t>(ColourSet, 0);
    EXPECT_TRUE(backend_->Log().empty());
    EXPECT_EQ(backend_->ReportCount(), 5u);
}

TEST_F(EmulatedBackendTest, FailedReportEndsTheTransferAndTheKeyboardNeverSeesIt) {
    backend_->FailReport(backend_->ReportCount() + 1);
    std::uint8_t value = 2;
    EXPECT_EQ(Send(ColourSet, 0, value), 0);
    EXPECT_EQ(keyboard_.SelectedColourSet(), 0);
    EXPECT_FALSE(backend_->Log().back().accepted);
    EXPECT_EQ(Send(ColourSet, 0, value), 1);
    EXPECT_EQ(keyboard_.SelectedColourSet(), 2);

    backend_->FailReport(backend_->ReportCount() + 2);  // the answer of the next query
    EXPECT_EQ(QueryFeature(link_, ColourSet, 0, &value, 1), 0);
}

TEST_F(EmulatedBackendTest, SpoiledEchoesAreRejectedByTheTransport) {
    for (EchoFault fault : {EchoFault::Command, EchoFault::Offset, EchoFault::Sub}) {
        backend_->SpoilEcho(backend_->ReportCount() + 2, fault);
        std::uint8_t value = 0xEE;
        EXPECT_EQ(QueryFeature(link_, ProfileMode, 1, &value, 1), 0);
        EXPECT_EQ(value, 0xEE);
        EXPECT_EQ(QueryFeature(link_, ProfileMode, 1, &value, 1), 1);
    }
}

TEST_F(EmulatedBackendTest, UnplugAfterAReportCount) {
    std::unique_ptr<HidMonitor> monitor = backend_->Monitor();
    backend_->UnplugAfter(backend_->ReportCount() + 3);
    std::uint8_t value = 0;
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 1);  // reports 1 and 2
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 0);  // 3 is sent, then gone
    EXPECT_FALSE(backend_->KeyboardPlugged());
    EXPECT_EQ(Drain(*monitor).size(), 4u);
}

TEST_F(EmulatedBackendTest, ClosingTheLinkDuringATransferFailsItCleanly) {
    backend_->SetLatency(10s);
    std::vector<std::uint8_t> colours(432);
    auto transfer = std::async(std::launch::async, [&] {
        return SendFeature(link_, KeyColours, 0, 0, colours.data(), 432);
    });
    // Wait until the report is inside the backend, then close from this thread.
    while (backend_->ReportCount() == 0) std::this_thread::sleep_for(1ms);
    auto start = std::chrono::steady_clock::now();
    link_.Close();
    ASSERT_EQ(transfer.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(transfer.get(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(link_.WriteHandle(), 0);
    std::uint8_t value = 0;
    EXPECT_EQ(QueryFeature(link_, ActiveProfile, 0, &value, 1), 0);
}

TEST_F(EmulatedBackendTest, UnplugDuringAQueryFailsIt) {
    backend_->SetLatency(10s);
    std::uint8_t value = 0;
    auto transfer = std::async(std::launch::async,
                               [&] { return QueryFeature(link_, ActiveProfile, 0, &value, 1); });
    while (backend_->ReportCount() == 0) std::this_thread::sleep_for(1ms);
    backend_->UnplugKeyboard();
    ASSERT_EQ(transfer.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(transfer.get(), 0);
}

TEST_F(EmulatedBackendTest, TransfersAndInspectionRunOnDifferentThreads) {
    std::unique_ptr<HidMonitor> monitor = backend_->Monitor();
    auto transfers = std::async(std::launch::async, [&] {
        int accepted = 0;
        for (std::uint8_t i = 0; i < 200; ++i) {
            std::uint8_t set = i % 4;
            accepted += SendFeature(link_, ColourSet, 0, 0, &set, 1);
            accepted += QueryFeature(link_, ColourSet, 0, &set, 1);
        }
        return accepted;
    });
    int outOfRange = 0;
    do {
        outOfRange += keyboard_.SelectedColourSet() >= 4;
        keyboard_.Modify([](KeyboardState& state) { state.masks++; });
        backend_->Log();
        Drain(*monitor);
    } while (transfers.wait_for(0s) != std::future_status::ready);
    EXPECT_EQ(transfers.get(), 400);
    EXPECT_EQ(outOfRange, 0);
    EXPECT_EQ(keyboard_.SelectedColourSet(), 199 % 4);
}

}  // namespace
