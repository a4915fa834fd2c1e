#include <gtest/gtest.h>

#include "FakeHidBackend.h"
#include "device/DeviceLink.h"

namespace {

class DeviceLinkTest : public testing::Test {
protected:
    std::shared_ptr<FakeHidBackend> backend_ = std::make_shared<FakeHidBackend>();
    DeviceLink link_{backend_};
    const std::string path_ = MakeHidInterfacePath(0x1A2C, 0x1514, 3, -1, "7&1&0&0000");
};

TEST_F(DeviceLinkTest, StartsClosed) {
    EXPECT_EQ(link_.ReadHandle(), 0);
    EXPECT_EQ(link_.WriteHandle(), 0);
}

TEST_F(DeviceLinkTest, OpensWriteThenReadHandleAndTracesBoth) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(link_.Open(path_), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "open dev: 00000040\nopen dev: 00000041\n");
    EXPECT_EQ(link_.WriteHandle(), 0x40);
    EXPECT_EQ(link_.ReadHandle(), 0x41);
}

TEST_F(DeviceLinkTest, ReopenClosesTheOldHandlesFirst) {
    link_.Open(path_);
    link_.Open(path_);
    EXPECT_EQ(backend_->closed, (std::vector<HidHandle>{0x40, 0x41}));
    EXPECT_EQ(link_.WriteHandle(), 0x42);
    EXPECT_EQ(link_.ReadHandle(), 0x43);
}

TEST_F(DeviceLinkTest, HalfFailedLinkCountsOneHandle) {
    backend_->refuseWrite = true;
    testing::internal::CaptureStdout();
    EXPECT_EQ(link_.Open(path_), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "open dev: ffffffff\nopen dev: 00000040\n");
    EXPECT_EQ(link_.WriteHandle(), kInvalidHidHandle);

    // Close leaves the invalid value in place; the next Open overwrites it.
    link_.Close();
    EXPECT_EQ(link_.WriteHandle(), kInvalidHidHandle);
    EXPECT_EQ(link_.ReadHandle(), 0);
    EXPECT_EQ(backend_->closed, std::vector<HidHandle>{0x40});
    backend_->refuseWrite = false;
    EXPECT_EQ(link_.Open(path_), 2);
}

TEST_F(DeviceLinkTest, NoPermissionOpensNothing) {
    backend_->refuseRead = backend_->refuseWrite = true;
    EXPECT_EQ(link_.Open(path_), 0);
    EXPECT_TRUE(backend_->closed.empty());
}

TEST_F(DeviceLinkTest, CloseReleasesReadThenWriteHandle) {
    link_.Open(path_);
    link_.Close();
    EXPECT_EQ(backend_->closed, (std::vector<HidHandle>{0x41, 0x40}));
    EXPECT_EQ(link_.ReadHandle(), 0);
    EXPECT_EQ(link_.WriteHandle(), 0);
    link_.Close();
    EXPECT_EQ(backend_->closed.size(), 2u);
}

TEST_F(DeviceLinkTest, DestructionClosesTheHandles) {
    {
        DeviceLink link(backend_);
        link.Open(path_);
    }
    EXPECT_EQ(backend_->closed.size(), 2u);
}

}  // namespace
