// The description of an emulated system, and the information report read through a backend.
#include <gtest/gtest.h>

#include <cerrno>

#include "device/diagnose/BackendFacts.h"
#include "device/diagnose/Verdict.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"

namespace {

class BackendFactsTest : public testing::Test {
protected:
    SystemFacts Facts() {
        SystemFacts facts = EmulatedSystemFacts(*backend_);
        testing::internal::CaptureStdout();
        ReadInformationInto(facts, backend_);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "standard output stays clean";
        return facts;
    }

    std::shared_ptr<EmulatedBackend> backend_ = std::make_shared<EmulatedBackend>();
};

TEST_F(BackendFactsTest, EmulatedKeyboardIsDescribedAndAnswers) {
    const SystemFacts facts = Facts();
    EXPECT_TRUE(facts.emulated);
    ASSERT_EQ(facts.interfaces.size(), 3u);  // interfaces 0, 1 and 3; the collection folded
    for (const HidInterfaceFacts& f : facts.interfaces) {
        EXPECT_TRUE(f.node.empty());
        EXPECT_EQ(f.productId, 0x1514);
        EXPECT_TRUE(f.read.ok && f.write.ok);
    }
    EXPECT_EQ(facts.interfaces[2].interfaceNumber, 3);
    ASSERT_TRUE(facts.info.ok);
    ASSERT_EQ(facts.info.bytes.size(), 90u);
    const keyboard_info_t expected = backend_->Keyboard().State().info;
    EXPECT_TRUE(std::equal(facts.info.bytes.begin(), facts.info.bytes.end(), expected.bytes));
    EXPECT_EQ(facts.info.profiles, expected.profileCount());
    EXPECT_EQ(facts.info.modes, expected.modeCount());
    EXPECT_EQ(facts.info.macroSlots, expected.macroSlotCount());
    EXPECT_EQ(Diagnose(facts).verdict, Verdict::AllWell);
    // Every handle the description opened was closed again: a new one opens at once.
    EXPECT_NE(backend_->Open(EmulatedBackend::KeyboardPath(), HidAccess::Read), kInvalidHidHandle);
}

TEST_F(BackendFactsTest, AbsentKeyboardLeavesNothing) {
    backend_->UnplugKeyboard();
    const SystemFacts facts = Facts();
    EXPECT_TRUE(facts.interfaces.empty());
    EXPECT_FALSE(facts.info.attempted);
    EXPECT_EQ(Diagnose(facts).verdict, Verdict::NoKeyboard);
}

TEST_F(BackendFactsTest, OldFirmwareIsNamedAndNotAsked) {
    backend_->UnplugKeyboard();
    backend_->PlugOldFirmware(0x1512);
    const SystemFacts facts = Facts();
    ASSERT_FALSE(facts.interfaces.empty());
    for (const HidInterfaceFacts& f : facts.interfaces) EXPECT_EQ(f.productId, 0x1512);
    EXPECT_FALSE(facts.info.attempted);
    EXPECT_EQ(Diagnose(facts).verdict, Verdict::OldFirmware);
}

TEST_F(BackendFactsTest, GarbledAnswerIsAFailedReport) {
    backend_->SpoilEcho(2, EchoFault::Offset);  // the answer to the information request
    const SystemFacts facts = Facts();
    EXPECT_TRUE(facts.info.attempted);
    EXPECT_FALSE(facts.info.ok);
    EXPECT_EQ(facts.info.failure.text, "the answer did not match the request");
    EXPECT_EQ(Diagnose(facts).verdict, Verdict::NoAnswer);
}

TEST_F(BackendFactsTest, FailedReportKeepsTheSystemsReason) {
    backend_->FailReport(1);
    const SystemFacts facts = Facts();
    EXPECT_EQ(facts.info.failure, HidFailure::FromErrno(EIO));
}

// A system where every open is refused with a reason.
class RefusingBackend : public EmulatedBackend {
public:
    HidHandle Open(const std::string&, HidAccess) override {
        NoteFailure(HidFailure::FromErrno(EACCES));
        return kInvalidHidHandle;
    }
};

TEST(BackendFactsRefusal, OpenResultsCarryTheReason) {
    RefusingBackend backend;
    const SystemFacts facts = EmulatedSystemFacts(backend);
    ASSERT_FALSE(facts.interfaces.empty());
    EXPECT_EQ(facts.interfaces.back().write.failure.error, EACCES);
    const Diagnosis d = Diagnose(facts);
    EXPECT_EQ(d.verdict, Verdict::PermissionDenied);
    EXPECT_NE(d.summary.find("emulated"), std::string::npos) << d.summary;
}

}  // namespace
