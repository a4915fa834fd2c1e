// The reason a failed open keeps, from the backend to the link.
#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "FakeHidBackend.h"
#include "device/DeviceLink.h"

namespace {

class OpenFailureTest : public testing::Test {
protected:
    OpenFailureTest() { testing::internal::CaptureStdout(); }
    ~OpenFailureTest() override { testing::internal::GetCapturedStdout(); }

    std::shared_ptr<FakeHidBackend> backend_ = std::make_shared<FakeHidBackend>();
    DeviceLink link_{backend_};
    const std::string path_ = MakeHidInterfacePath(0x1A2C, 0x1514, 3, -1, "hidraw4");
};

TEST_F(OpenFailureTest, RefusedOpenKeepsTheSystemsReason) {
    backend_->refuseRead = backend_->refuseWrite = true;
    backend_->refusal = HidFailure::FromErrno(EACCES);
    EXPECT_EQ(link_.Open(path_), 0);
    EXPECT_EQ(link_.OpenFailure().error, EACCES);
    EXPECT_EQ(link_.OpenFailure().Describe(), "Permission denied (errno 13)");
}

TEST_F(OpenFailureTest, HalfFailedOpenStillHasAReason) {
    backend_->refuseRead = true;
    backend_->refusal = {0, "library says no"};
    EXPECT_EQ(link_.Open(path_), 1);
    EXPECT_EQ(link_.OpenFailure().text, "library says no");
}

TEST_F(OpenFailureTest, SilentBackendStillMarksTheFailure) {
    backend_->refuseWrite = true;  // no refusal text
    EXPECT_EQ(link_.Open(path_), 1);
    EXPECT_FALSE(link_.OpenFailure().Empty());
    EXPECT_EQ(link_.OpenFailure().error, 0);
}

TEST_F(OpenFailureTest, SuccessfulOpenForgetsTheOldReason) {
    backend_->refuseRead = backend_->refuseWrite = true;
    backend_->refusal = HidFailure::FromErrno(ENODEV);
    link_.Open(path_);
    backend_->refuseRead = backend_->refuseWrite = false;
    EXPECT_EQ(link_.Open(path_), 2);
    EXPECT_TRUE(link_.OpenFailure().Empty());
}

TEST_F(OpenFailureTest, AnOldReasonIsNotLentToASilentFailure) {
    backend_->refuseRead = backend_->refuseWrite = true;
    backend_->refusal = HidFailure::FromErrno(EACCES);
    link_.Open(path_);
    backend_->refusal = {};
    link_.Open(path_);
    EXPECT_NE(link_.OpenFailure().error, EACCES);
}

TEST(HidBackendFailure, NotesStayWithTheirThreadAndBackend) {
    FakeHidBackend first;
    FakeHidBackend second;
    first.refuseRead = true;
    first.refusal = HidFailure::FromErrno(EACCES);
    first.Open("x", HidAccess::Read);
    EXPECT_EQ(first.LastFailure().error, EACCES);
    EXPECT_TRUE(second.LastFailure().Empty());
    HidFailure seenElsewhere{1, "not asked yet"};
    std::thread other([&] { seenElsewhere = first.LastFailure(); });
    other.join();
    EXPECT_TRUE(seenElsewhere.Empty());
    first.ForgetFailure();
    EXPECT_TRUE(first.LastFailure().Empty());
}

TEST(HidFailureText, DescribesWhatItKnows) {
    struct Case {
        HidFailure failure;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "unknown reason"},
        {{0, "hid_open_path failed"}, "hid_open_path failed"},
        {{13, "Permission denied"}, "Permission denied (errno 13)"},
        {{5, ""}, "error (errno 5)"},
        {HidFailure::FromErrno(ENOENT), "No such file or directory (errno 2)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.failure.Describe(), c.expected);
}

}  // namespace
