#include <gtest/gtest.h>

#include "FakeHidBackend.h"
#include "device/DeviceLink.h"

namespace {

const std::string kKeyboard = MakeHidInterfacePath(0x1A2C, 0x1514, 3, -1, "7&1d4a5f&0&0000");
const std::string kKeyboardCol = MakeHidInterfacePath(0x1A2C, 0x1514, 3, 1, "7&2&0&0000");
const std::string kInterface1 = MakeHidInterfacePath(0x1A2C, 0x1514, 1, -1, "7&3&0&0000");
const std::string kNoInterface = MakeHidInterfacePath(0x1A2C, 0x1514, -1, -1, "7&4&0&0000");
const std::string kOldFirmware = MakeHidInterfacePath(0x1A2C, 0x1511, 3, -1, "7&5&0&0000");
const std::string kOtherVendor = MakeHidInterfacePath(0x1A2D, 0x1514, 3, -1, "7&6&0&0000");
const std::string kCapitals = "\\\\?\\HID#VID_1A2C&PID_1514&MI_03#7&7&0&0000#{4D1E55B2}";

class FindHidInterfacesTest : public testing::Test {
protected:
    std::vector<std::string> Find(std::initializer_list<int> ids) {
        return FindHidInterfaces(backend_, ids.begin(), static_cast<int>(ids.size()));
    }
    FakeHidBackend backend_;
};

TEST_F(FindHidInterfacesTest, KeepsInterfaceThreeOfListedProductsInOrder) {
    backend_.paths = {kInterface1,  kKeyboardCol, kNoInterface, kOtherVendor,
                      kOldFirmware, kKeyboard,    kCapitals,    "\\\\?\\STORAGE#Volume#{x}"};
    EXPECT_EQ(Find({0x1514}), (std::vector<std::string>{kKeyboardCol, kKeyboard, kCapitals}));
    EXPECT_EQ(Find({0x1511, 0x1512}), (std::vector<std::string>{kOldFirmware}));
    EXPECT_EQ(Find({0x1514, 0x1511}),
              (std::vector<std::string>{kKeyboardCol, kOldFirmware, kKeyboard, kCapitals}));
}

TEST_F(FindHidInterfacesTest, EmptyOrNullListMatchesNothing) {
    backend_.paths = {kKeyboard};
    int id = 0x1514;
    EXPECT_TRUE(FindHidInterfaces(backend_, nullptr, 1).empty());
    EXPECT_TRUE(FindHidInterfaces(backend_, &id, 0).empty());
    EXPECT_TRUE(FindHidInterfaces(backend_, &id, -3).empty());
    EXPECT_EQ(FindHidInterfaces(backend_, &id, 1).size(), 1u);
}

TEST_F(FindHidInterfacesTest, TracesEveryInterfaceAndSkipsUnreadableOnes) {
    backend_.paths = {"", kKeyboard};
    testing::internal::CaptureStdout();
    std::vector<std::string> found = Find({0x1514});
    std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(found, std::vector<std::string>{kKeyboard});
    EXPECT_EQ(trace,
              "got classs: guid={4D1E55B2-F16F-11CF-88CB-001111000030}\n"
              "enum interface: guid={4D1E55B2-F16F-11CF-88CB-001111000030} index=0\n"
              "获取接口信息失败\n"
              "enum interface: guid={4D1E55B2-F16F-11CF-88CB-001111000030} index=1\n");
}

}  // namespace
