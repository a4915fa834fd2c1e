#include <gtest/gtest.h>

#include <functional>

#include "support/LogicFixture.h"

namespace {

const KeyboardShape kShape{3, 12, 4, 16};
const std::vector<int> kSlots{2, 4};

class FaultInjection : public LogicTest {
protected:
    void Prepare() {
        Build(kShape);
        PutMacro(5, 2, 0x04, 3);
        PutMacro(7, 4, 0x05, 2);
    }

    // The reports a read makes when query `failed` (an index into the full sequence) fails.
    static std::vector<Request> ReadEndingAt(size_t failed) {
        const auto full = ExpectedConnectionRead(3, 12, kSlots, 0);
        const auto keyCodes = std::find(full.begin(), full.end(), Query(KeyCodes, 0, 218));
        const auto index = static_cast<size_t>(keyCodes - full.begin());
        std::vector<Request> reports(full.begin(), full.begin() + static_cast<long>(failed) + 1);
        // Past the active profile the key-colour read is already queued; a failed key-code read
        // is not noticed, but with no codes there are no macros to read.
        if (failed >= index && failed + 1 < full.size()) reports.push_back(full.back());
        return reports;
    }

    // Profiles complete before the failed query.
    static uint32_t ProfilesBefore(size_t failed) {
        const auto full = ExpectedConnectionRead(3, 12, kSlots, 0);
        uint32_t profiles = 0;
        for (size_t i = 0; i < failed && i < full.size(); ++i) {
            if (full[i].command == (ProfileMode | kQueryFlag)) ++profiles;
        }
        return profiles;
    }

    void CheckFullReadAfterReplug() {
        backend->ClearFaults();
        ClearLog();
        Replug();
        EXPECT_EQ(Requests(), ExpectedConnectionRead(3, 12, kSlots, 0));
        EXPECT_EQ(logic->profileTable().count, 3u);
        EXPECT_EQ(screens->modes.count, 12u);
        EXPECT_EQ(screens->profiles.count, 3u);
        EXPECT_EQ(screens->groups.current().size(), 2u);
        EXPECT_TRUE(logic->keyCodesRead());
        EXPECT_TRUE(std::equal(screens->keyCodes.data(), screens->keyCodes.data() + 109,
                               keyboard->KeyCodes().begin()));
        EXPECT_TRUE(std::equal(screens->keyColours.data(), screens->keyColours.data() + 108,
                               keyboard->Colours(0).begin()));
    }

    void RunAtEveryReport(const std::function<void(uint64_t)>& inject, bool answersOnly) {
        const size_t queries = ExpectedConnectionRead(3, 12, kSlots, 0).size();
        for (uint64_t report = 1; report <= 2 * queries; ++report) {
            if (answersOnly && report % 2 == 1) continue;
            SCOPED_TRACE("report " + std::to_string(report));
            Prepare();
            inject(report);
            Connect();
            const size_t failed = static_cast<size_t>((report - 1) / 2);
            EXPECT_EQ(Requests(), ReadEndingAt(failed));
            EXPECT_EQ(logic->profileTable().count, std::min(ProfilesBefore(failed), 3u));
            CheckFullReadAfterReplug();
            if (HasFatalFailure()) return;
        }
    }
};

TEST_F(FaultInjection, FailedReportAtEveryPositionOfTheConnectionRead) {
    RunAtEveryReport([this](uint64_t n) { backend->FailReport(n); }, false);
}

TEST_F(FaultInjection, WrongEchoAtEveryAnswerOfTheConnectionRead) {
    RunAtEveryReport([this](uint64_t n) { backend->SpoilEcho(n, EchoFault::Sub); }, true);
}

TEST_F(FaultInjection, UnplugInTheMiddleOfTheReadThenReplug) {
    Prepare();
    backend->UnplugAfter(40);
    Connect();
    EXPECT_EQ(backend->ReportCount(), 41u);  // the report after the unplug fails
    ASSERT_FALSE(backend->KeyboardPlugged());
    EXPECT_TRUE(logic->OnRemove(EmulatedBackend::KeyboardPath()));
    Idle();
    ClearLog();
    backend->PlugKeyboard();
    EXPECT_TRUE(logic->OnArrival(EmulatedBackend::KeyboardPath()));
    Idle();
    EXPECT_EQ(Requests(), ExpectedConnectionRead(3, 12, kSlots, 0));
    EXPECT_EQ(screens->groups.current().size(), 2u);
}

}  // namespace
