#include <gtest/gtest.h>

#include "app/LaunchOptions.h"

namespace {

LaunchRequest Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("keylume"));
    return ParseLaunchArguments(arguments);
}

TEST(LaunchOptions, NoArgumentsRunsAgainstTheRealKeyboard) {
    const LaunchRequest request = Parse({});
    EXPECT_EQ(request.action, LaunchRequest::Action::Run);
    EXPECT_EQ(request.options.emulation, Emulation::None);
    EXPECT_TRUE(request.options.screenshot.isEmpty());
}

TEST(LaunchOptions, EmulateTakesItsThreeForms) {
    EXPECT_EQ(Parse({"--emulate"}).options.emulation, Emulation::Keyboard);
    EXPECT_EQ(Parse({"--emulate=old-firmware"}).options.emulation, Emulation::OldFirmware);
    EXPECT_EQ(Parse({"--emulate=absent"}).options.emulation, Emulation::Absent);
    EXPECT_EQ(Parse({"--emulate", "old-firmware"}).options.emulation, Emulation::OldFirmware);
    const LaunchRequest bad = Parse({"--emulate=broken"});
    EXPECT_EQ(bad.action, LaunchRequest::Action::Error);
    EXPECT_TRUE(bad.text.contains("broken"));
}

TEST(LaunchOptions, ScreenshotNeedsAFile) {
    const LaunchRequest request = Parse({"--emulate", "--screenshot", "/tmp/picture.png"});
    EXPECT_EQ(request.action, LaunchRequest::Action::Run);
    EXPECT_EQ(request.options.screenshot, QStringLiteral("/tmp/picture.png"));
    EXPECT_EQ(Parse({"--screenshot"}).action, LaunchRequest::Action::Error);
    EXPECT_EQ(Parse({"--screenshot="}).action, LaunchRequest::Action::Error);
}

TEST(LaunchOptions, HelpAndVersionAreAnsweredWithText) {
    const LaunchRequest help = Parse({"--help"});
    EXPECT_EQ(help.action, LaunchRequest::Action::Help);
    EXPECT_TRUE(help.text.contains("--emulate"));
    EXPECT_TRUE(help.text.contains("--screenshot"));
    EXPECT_EQ(Parse({"--version"}).action, LaunchRequest::Action::Version);
    EXPECT_EQ(Parse({"-V"}).action, LaunchRequest::Action::Version);
    // -v raises the trace, as for the commands.
    EXPECT_EQ(Parse({"-v"}).action, LaunchRequest::Action::Run);
    EXPECT_EQ(Parse({"-v", "--verbose"}).options.verbosity, 2);
}

TEST(LaunchOptions, UnknownOptionsAndStrayArgumentsAreErrors) {
    EXPECT_EQ(Parse({"--colour"}).action, LaunchRequest::Action::Error);
    EXPECT_EQ(Parse({"stray"}).action, LaunchRequest::Action::Error);
}

}  // namespace
