#include <gtest/gtest.h>

#include "device/FeatureTransport.h"
#include "device/HidrawBackend.h"
#include "device/HidrawIdentity.h"

namespace {

const char kDevpath[] =
    "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:1A2C:1514.0007/hidraw/hidraw5";
const char kKeyboardPath[] =
    "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#hidraw5#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// A kernel uevent as read from the netlink socket when the keyboard's interface 3 appeared.
const char kRecordedAdd[] =
    "add@/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:1A2C:1514.0007/hidraw/hidraw5\0"
    "ACTION=add\0"
    "DEVPATH=/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:1A2C:1514.0007/hidraw/"
    "hidraw5\0"
    "SUBSYSTEM=hidraw\0"
    "MAJOR=241\0"
    "MINOR=5\0"
    "DEVNAME=hidraw5\0"
    "SEQNUM=4711";

TEST(HidrawNodeOfPath, MapsTheInstanceBackToTheNode) {
    EXPECT_EQ(HidrawNodeOfPath(kKeyboardPath), "/dev/hidraw5");
    EXPECT_EQ(HidrawNodeOfPath("\\\\?\\HID#VID_1A2C&PID_1514&MI_03#HIDRAW12#{X}"), "/dev/hidraw12");
}

TEST(HidrawNodeOfPath, RefusesAnythingButAHidrawName) {
    for (const char* path : {
             "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#hidraw#{g}",
             "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#hidraw5/../../etc/passwd#{g}",
             "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#hidraw-1#{g}",
             "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#7&1d4a5f&0&0000#{g}",
             "\\\\?\\STORAGE#Volume#hidraw5#{g}",
             "hidraw5",
         }) {
        EXPECT_FALSE(HidrawNodeOfPath(path)) << path;
    }
}

TEST(HidrawPathFromDevpath, ReadsVendorProductAndUsbInterface) {
    EXPECT_EQ(HidrawPathFromDevpath(kDevpath), kKeyboardPath);
    EXPECT_EQ(HidrawPathFromDevpath("/devices/x/usb3/3-1/3-1.4/3-1.4:1.10/0003:046D:C52B.000A/"
                                    "hidraw/hidraw0"),
              MakeHidInterfacePath(0x046D, 0xC52B, 10, -1, "hidraw0"));
}

TEST(HidrawPathFromDevpath, DeviceOffUsbHasNoInterface) {
    EXPECT_EQ(
        HidrawPathFromDevpath("/devices/virtual/misc/uhid/0005:1A2C:1514.0001/hidraw/hidraw2"),
        MakeHidInterfacePath(0x1A2C, 0x1514, -1, -1, "hidraw2"));
}

TEST(HidrawPathFromDevpath, RejectsUnreadablePaths) {
    EXPECT_FALSE(HidrawPathFromDevpath(""));
    EXPECT_FALSE(HidrawPathFromDevpath("/devices/virtual/misc/uhid/hidraw/hidraw2"));
    EXPECT_FALSE(HidrawPathFromDevpath("/devices/x/1-2:1.3/0003:1A2C:1514.0007/input/input9"));
}

TEST(ParseUeventMessage, ReadsARecordedKernelEvent) {
    auto fields = ParseUeventMessage(kRecordedAdd, sizeof kRecordedAdd);
    EXPECT_EQ(fields["ACTION"], "add");
    EXPECT_EQ(fields["SUBSYSTEM"], "hidraw");
    EXPECT_EQ(fields["DEVPATH"], kDevpath);
    EXPECT_EQ(fields["SEQNUM"], "4711");

    HidrawEventTranslator translator;
    EXPECT_EQ(translator.Translate(fields["ACTION"], fields["SUBSYSTEM"], fields["DEVPATH"]),
              (HidEvent{HidEvent::Kind::Arrival, kKeyboardPath}));
}

TEST(ParseUeventMessage, RefusesMalformedMessages) {
    EXPECT_TRUE(ParseUeventMessage(nullptr, 10).empty());
    const char noHeader[] = "ACTION=add\0SUBSYSTEM=hidraw";
    EXPECT_TRUE(ParseUeventMessage(noHeader, sizeof noHeader).empty());
    const char truncated[] = "add@/devices/x\0ACTION";
    auto fields = ParseUeventMessage(truncated, sizeof truncated - 1);
    EXPECT_TRUE(fields.empty());
}

TEST(HidrawEventTranslator, RemovalNamesTheInterfaceSeenAtArrival) {
    HidrawEventTranslator translator;
    ASSERT_TRUE(translator.Translate("add", "hidraw", kDevpath));
    // A removal whose device path no longer tells the identity.
    EXPECT_EQ(translator.Translate("remove", "hidraw", "/devices/gone/hidraw5"),
              (HidEvent{HidEvent::Kind::Removal, kKeyboardPath}));
    EXPECT_FALSE(translator.Translate("remove", "hidraw", "/devices/gone/hidraw5"));
    EXPECT_EQ(translator.Translate("remove", "hidraw", kDevpath),
              (HidEvent{HidEvent::Kind::Removal, kKeyboardPath}));
}

TEST(HidrawEventTranslator, IgnoresOtherActionsAndSubsystems) {
    HidrawEventTranslator translator;
    EXPECT_FALSE(translator.Translate("change", "hidraw", kDevpath));
    EXPECT_FALSE(translator.Translate("bind", "hidraw", kDevpath));
    EXPECT_FALSE(translator.Translate("add", "input", kDevpath));
}

TEST(HidrawBackend, RefusesPathsWithoutANode) {
    HidrawBackend backend;
    EXPECT_EQ(backend.Open("\\\\?\\hid#vid_1a2c&pid_1514&mi_03#7&1&0&0000#{g}", HidAccess::Read),
              kInvalidHidHandle);
    EXPECT_EQ(
        backend.Open(MakeHidInterfacePath(0x1A2C, 0x1514, 3, -1, "hidraw999999"), HidAccess::Write),
        kInvalidHidHandle);
    std::uint8_t report[kFeatureReportSize] = {};
    EXPECT_FALSE(backend.SetFeature(1, report, sizeof report));
    EXPECT_FALSE(backend.GetFeature(1, report, sizeof report));
    EXPECT_FALSE(backend.Close(1));
}

}  // namespace
