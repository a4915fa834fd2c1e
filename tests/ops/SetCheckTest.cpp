#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "ops/SetCheck.h"
#include "records/ModeAttr.h"

namespace {

// A keyboard with two profiles and modes that cover every capability.
KeyboardStatus Keyboard() {
    KeyboardStatus status;
    status.presence = KeyboardStatus::Presence::Connected;
    status.profileCount = 2;
    status.modes = {
        {"Static", MODE_CAP_FOREGROUND | MODE_CAP_AUTO_FOREGROUND | MODE_CAP_FOREGROUND_BRIGHTNESS},
        {"Rain", MODE_CAP_FOREGROUND | MODE_CAP_BACKGROUND | MODE_CAP_SPEED |
                     MODE_CAP_FOREGROUND_BRIGHTNESS | MODE_CAP_BACKGROUND_BRIGHTNESS |
                     MODE_CAP_DIRECTION_UP_DOWN},
        {"Spiral", MODE_CAP_SPEED | MODE_CAP_ROTATION},
        {"Custom", MODE_CAP_PER_KEY},
        {"Off", 0},
        {"7", MODE_CAP_SPEED},  // a name that is a number is reached by its position
    };
    return status;
}

SetRequest Request(std::vector<std::string> options) {
    options.insert(options.begin(), "set");
    const ParsedCommandLine parsed = ParseCommandLine(options);
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    return parsed.request.set;
}

struct Refusal {
    std::vector<std::string> options;
    std::string error;
};

class RefusedSet : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedSet, NamesWhatTheModeSupports) {
    const SetCheckResult result = CheckSet(Request(GetParam().options), Keyboard());
    EXPECT_NE(result.error.find(GetParam().error), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedSet,
    ::testing::Values(
        Refusal{{"--speed", "3"}, "mode \"Static\" has no speed; it takes: brightness, colour"},
        Refusal{{"--mode", "Rain", "--direction", "left"}, "has no direction left"},
        Refusal{{"--mode", "Rain", "--colour", "auto"}, "has no colour auto"},
        Refusal{{"--mode", "Spiral", "--direction", "up"}, "takes: speed, direction (clockwise"},
        Refusal{{"--mode", "Custom", "--colour", "FF0000"}, "has no colour; it takes: colour-set"},
        Refusal{{"--mode", "Off", "--brightness", "1"}, "it takes: no settings"},
        Refusal{{"--colour-set", "2"}, "has no colour-set"},
        Refusal{{"--mode", "Static", "--background-colour", "000000"}, "background-colour"},
        Refusal{{"--mode", "Static", "--background-brightness", "1"}, "background-brightness"},
        Refusal{{"--mode", "Sparkle"}, "unknown mode \"Sparkle\"; the keyboard has: Static, Rain"},
        Refusal{{"--mode", "6"}, "there is no mode 6; the keyboard has modes 0 to 5"},
        Refusal{{"--mode", "07"}, "there is no mode 07"},
        Refusal{{"--profile", "2"}, "there is no profile 2; the keyboard has profiles 0 to 1"},
        Refusal{{"--profile", "1", "--brightness", "3"}, "give --mode together with --profile"},
        Refusal{{"--profile", "1", "--colour-set", "1"}, "give --mode together with --profile"}));

TEST(SetCheck, AProfileAloneOrTheActiveOneNeedsNoMode) {
    const KeyboardStatus status = Keyboard();
    EXPECT_TRUE(CheckSet(Request({"--profile", "1"}), status).error.empty());
    const SetCheckResult active =
        CheckSet(Request({"--profile", "0", "--brightness", "3"}), status);
    EXPECT_TRUE(active.error.empty()) << active.error;
    const SetCheckResult named =
        CheckSet(Request({"--profile", "1", "--mode", "Rain", "--speed", "3"}), status);
    EXPECT_TRUE(named.error.empty()) << named.error;
}

TEST(SetCheck, ResolvesModesByNameOrPosition) {
    const KeyboardStatus status = Keyboard();
    std::string error;
    EXPECT_EQ(FindMode("rain", status, error), 1);
    EXPECT_EQ(FindMode("CUSTOM", status, error), 3);
    EXPECT_EQ(FindMode("0", status, error), 0);
    // A number is a position even when a mode carries that name.
    EXPECT_EQ(FindMode("5", status, error), 5);
    EXPECT_FALSE(FindMode("7", status, error));
    EXPECT_NE(error.find("no mode 7"), std::string::npos);
}

TEST(SetCheck, PlansTheChosenModeWithItsSettings) {
    const SetCheckResult result =
        CheckSet(Request({"--profile", "1", "--mode", "Rain", "--speed", "9", "--direction", "down",
                          "--background-colour", "102030", "--colour", "A0B0C0"}),
                 Keyboard());
    ASSERT_TRUE(result.error.empty()) << result.error;
    EXPECT_EQ(result.plan.profile, 1);
    EXPECT_EQ(result.plan.modeIndex, 1);
    _reg_mode_t reg;
    reg.setAutoForeground(true);
    ASSERT_TRUE(result.plan.ApplyTo(reg));
    EXPECT_EQ(reg.speed(), 9);
    EXPECT_EQ(reg.direction(), MODE_DIR_DOWN);
    EXPECT_FALSE(reg.autoForeground());
    EXPECT_EQ(reg.foreground[0], 0xA0);
    EXPECT_EQ(reg.foreground[2], 0xC0);
    EXPECT_EQ(reg.background[0], 0x10);
    EXPECT_EQ(reg.background[1], 0x20);
    EXPECT_EQ(reg.background[2], 0x30);
}

TEST(SetCheck, TurningDirectionsAndColourSetsAreWrittenAsTheWindowDoes) {
    KeyboardStatus status = Keyboard();
    status.modeIndex = 2;
    SetCheckResult turning = CheckSet(Request({"--direction", "anticlockwise"}), status);
    ASSERT_TRUE(turning.error.empty()) << turning.error;
    _reg_mode_t reg;
    turning.plan.ApplyTo(reg);
    EXPECT_EQ(reg.direction(), 1);

    SetCheckResult custom = CheckSet(Request({"--mode", "Custom", "--colour-set", "4"}), status);
    ASSERT_TRUE(custom.error.empty()) << custom.error;
    EXPECT_EQ(custom.plan.colourSet, 3);
    // Nothing for the register: only the mode and the colour set change.
    EXPECT_FALSE(custom.plan.ApplyTo(reg));
}

}  // namespace
