#include <gtest/gtest.h>

#include "device/DeviceLink.h"

namespace {

const char* const kKeyboard =
    "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#7&1d4a5f&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

HidPathInfo Parse(std::string_view path, bool expectFound = true) {
    HidPathInfo info;
    EXPECT_EQ(ParseHidPath(path, info), expectFound) << path;
    return info;
}

TEST(ParseHidPath, ReadsVendorProductAndInterface) {
    HidPathInfo info = Parse(kKeyboard);
    EXPECT_EQ(info, (HidPathInfo{0x1A2C, 0x1514, -1, 3, -1}));
}

TEST(ParseHidPath, IgnoresCase) {
    HidPathInfo info =
        Parse("\\\\?\\HID#VID_1A2C&PID_1514&MI_03#7&1D4A5F&0&0000#{4D1E55B2-F16F-11CF}");
    EXPECT_EQ(info, (HidPathInfo{0x1A2C, 0x1514, -1, 3, -1}));
}

TEST(ParseHidPath, ReadsRevisionAndCollectionAsWholeFields) {
    HidPathInfo info = Parse("\\\\?\\hid#vid_1a2c&pid_1514&rev_0102&mi_13&col0a#x#{g}");
    EXPECT_EQ(info.revision, 0x0102);
    EXPECT_EQ(info.interfaceNumber, 0x13);  // not 3: the whole field counts
    EXPECT_EQ(info.collection, 0x0a);
}

TEST(ParseHidPath, OptionalPartsMissing) {
    HidPathInfo info = Parse("\\\\?\\hid#vid_1a2c&pid_1514#7&1d4a5f&0&0000#{g}");
    EXPECT_EQ(info, (HidPathInfo{0x1A2C, 0x1514, -1, -1, -1}));
}

TEST(ParseHidPath, PatternIsSearchedNotAnchored) {
    EXPECT_EQ(Parse("prefix hid#vid_0001&pid_0002&mi_00 suffix").productId, 2);
}

TEST(ParseHidPath, NonHexLettersGiveLeadingDigitsOnly) {
    HidPathInfo info = Parse("hid#vid_1a2g&pid_zzzz");
    EXPECT_EQ(info.vendorId, 0x1a2);
    EXPECT_EQ(info.productId, 0);
}

TEST(ParseHidPath, RejectsOtherPaths) {
    HidPathInfo info = Parse(
        "\\\\?\\STORAGE#Volume#{6ead3d82-25ec-46bc-b7fd-c1f0df8f5037}#"
        "{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}",
        false);
    EXPECT_EQ(info, HidPathInfo{});
    Parse("hid#vid_1a2&pid_1514", false);
    Parse("", false);
}

TEST(IsKeyboardPath, AcceptsTheFeatureInterfaceInAnyCase) {
    EXPECT_TRUE(IsKeyboardPath(kKeyboard));
    EXPECT_TRUE(IsKeyboardPath("\\\\?\\HID#VID_1A2C&PID_1514&MI_03#7&1D4A5F&0&0000#{X}"));
}

TEST(IsKeyboardPath, AcceptsAPathWithoutInterface) {
    EXPECT_TRUE(IsKeyboardPath("\\\\?\\hid#vid_1a2c&pid_1514#7&1d4a5f&0&0000#{g}"));
}

TEST(IsKeyboardPath, RejectsOtherInterfacesCollectionsAndDevices) {
    EXPECT_FALSE(IsKeyboardPath("\\\\?\\hid#vid_1a2c&pid_1514&mi_01#7&1d4a5f#{g}"));
    EXPECT_FALSE(IsKeyboardPath("\\\\?\\hid#vid_1a2c&pid_1514&mi_03&col01#7&1d4a5f#{g}"));
    EXPECT_FALSE(IsKeyboardPath("\\\\?\\hid#vid_1a2c&pid_1514&mi_13#7&1d4a5f#{g}"));
    EXPECT_FALSE(IsKeyboardPath("\\\\?\\hid#vid_1a2c&pid_1511&mi_03#7&1d4a5f#{g}"));
    EXPECT_FALSE(IsKeyboardPath("\\\\?\\hid#vid_1a2d&pid_1514&mi_03#7&1d4a5f#{g}"));
    EXPECT_FALSE(
        IsKeyboardPath("\\\\?\\STORAGE#Volume#{6ead3d82-25ec-46bc-b7fd-c1f0df8f5037}#"
                       "{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}"));
}

TEST(MakeHidInterfacePath, BuildsPathsTheParserReadsBack) {
    std::string path = MakeHidInterfacePath(0x1A2C, 0x1514, 3, -1, "hidraw5");
    EXPECT_EQ(path,
              "\\\\?\\hid#vid_1a2c&pid_1514&mi_03#hidraw5#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    EXPECT_EQ(HidPathInstance(path), "hidraw5");
    EXPECT_TRUE(IsKeyboardPath(path));

    HidPathInfo info = Parse(MakeHidInterfacePath(0x1A2C, 0x1514, 3, 1, "i"));
    EXPECT_EQ(info, (HidPathInfo{0x1A2C, 0x1514, -1, 3, 1}));
    info = Parse(MakeHidInterfacePath(0x046D, 0xC52B, -1, -1, "i"));
    EXPECT_EQ(info, (HidPathInfo{0x046D, 0xC52B, -1, -1, -1}));
}

TEST(HidPathInstance, NeedsThreeSeparators) {
    EXPECT_EQ(HidPathInstance("a#b#c"), "");
    EXPECT_EQ(HidPathInstance("a#b#c#d"), "c");
    EXPECT_EQ(HidPathInstance("a#b##d"), "");
}

}  // namespace
