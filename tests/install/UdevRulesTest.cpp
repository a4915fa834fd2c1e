// The keyboard's access rule, run against modelled device chains: the configuration interface
// of each product is opened to the user, nothing else is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UdevRules.h"

namespace {

using udevrules::Device;

constexpr const char* kUaccess = "uaccess";

// A hidraw (or input) node under USB interface `interfaceNumber` of a USB device.
std::vector<Device> NodeChain(const std::string& vendor, const std::string& product,
                              const std::string& interfaceNumber,
                              const std::string& subsystem = "hidraw") {
    return {
        {subsystem, subsystem == "hidraw" ? "hidraw3" : "event7", {}},
        {"hid", "0003:1A2C:1514.0004", {{"country", "00"}}},
        {"usb",
         "1-2:1." + std::to_string(std::stoi(interfaceNumber)),
         {{"bInterfaceNumber", interfaceNumber}, {"bInterfaceClass", "03"}}},
        {"usb", "1-2", {{"idVendor", vendor}, {"idProduct", product}, {"busnum", "1"}}},
        {"usb", "usb1", {{"idVendor", "1d6b"}, {"idProduct", "0002"}}},
    };
}

class KeyboardRule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rules.errors.empty()) << rules.errors.front();
        ASSERT_FALSE(rules.rules.empty());
    }

    bool OpenedToUser(const std::vector<Device>& chain) {
        const udevrules::Outcome outcome = udevrules::Evaluate(rules, chain);
        EXPECT_TRUE(outcome.errors.empty()) << outcome.errors.front();
        return outcome.tags.count(kUaccess) > 0;
    }

    udevrules::RulesFile rules = udevrules::Load(KEYLUME_UDEV_RULES);
};

TEST_F(KeyboardRule, OpensTheConfigurationInterfaceOfEveryProduct) {
    for (const char* product : {"1514", "1511", "1512"}) {
        EXPECT_TRUE(OpenedToUser(NodeChain("1a2c", product, "03"))) << product;
    }
}

TEST_F(KeyboardRule, KeepsTheOtherInterfacesClosed) {
    for (const char* interfaceNumber : {"00", "01", "02", "04"}) {
        EXPECT_FALSE(OpenedToUser(NodeChain("1a2c", "1514", interfaceNumber))) << interfaceNumber;
    }
}

TEST_F(KeyboardRule, LeavesOtherDevicesAndSubsystemsAlone) {
    EXPECT_FALSE(OpenedToUser(NodeChain("1a2c", "1513", "03")));
    EXPECT_FALSE(OpenedToUser(NodeChain("1a2d", "1514", "03")));
    EXPECT_FALSE(OpenedToUser(NodeChain("046d", "c31c", "03")));
    // The keystrokes' input node of the same interface stays with the input stack.
    EXPECT_FALSE(OpenedToUser(NodeChain("1a2c", "1514", "03", "input")));
}

// The evaluator itself: a rule that asks one device for the interface and another for the
// product can never match in udev, and must not match here either.
TEST(UdevRulesEvaluator, AsksOneDeviceForAllParentKeysOfARule) {
    const auto oneLine = udevrules::Parse(
        "SUBSYSTEM==\"hidraw\", ATTRS{bInterfaceNumber}==\"03\", ATTRS{idVendor}==\"1a2c\", "
        "TAG+=\"uaccess\"\n");
    ASSERT_TRUE(oneLine.errors.empty());
    EXPECT_TRUE(udevrules::Evaluate(oneLine, NodeChain("1a2c", "1514", "03")).tags.empty());

    const auto sameDevice = udevrules::Parse(
        "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1a2c\", ATTRS{idProduct}==\"15*\", "
        "TAG+=\"uaccess\"\n");
    EXPECT_EQ(udevrules::Evaluate(sameDevice, NodeChain("1a2c", "1514", "03")).tags.count(kUaccess),
              1u);
}

TEST(UdevRulesEvaluator, ReportsFaultsInsteadOfIgnoringThem) {
    EXPECT_FALSE(udevrules::Parse("SUBSYSTEM==hidraw, TAG+=\"uaccess\"\n").errors.empty());
    EXPECT_FALSE(udevrules::Parse("ATTRS{idVendor}=\"1a2c\"\n").errors.empty());
    EXPECT_FALSE(udevrules::Parse("SUBSYTEM==\"hidraw\"\n").errors.empty());
    const auto jump = udevrules::Parse("SUBSYSTEM==\"hidraw\", GOTO=\"nowhere\"\n");
    ASSERT_TRUE(jump.errors.empty());
    EXPECT_FALSE(udevrules::Evaluate(jump, NodeChain("1a2c", "1514", "03")).errors.empty());
}

}  // namespace
