#include <gtest/gtest.h>

#include "cli/CommandHelp.h"
#include "cli/CommandLine.h"

namespace {

struct BadLine {
    std::vector<std::string> arguments;
    std::string error;  // a part of the message
};

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, IsAUsageErrorThatSaysWhy) {
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().arguments);
    ASSERT_FALSE(parsed.ok());
    EXPECT_NE(parsed.error.find(GetParam().error), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadCommandLine,
    ::testing::Values(
        BadLine{{"--json"}, "no command"}, BadLine{{"stats"}, "unknown command \"stats\""},
        BadLine{{"Status"}, "unknown command"}, BadLine{{"status", "extra"}, "unexpected argument"},
        BadLine{{"status", "--speed", "3"}, "unknown option"},
        BadLine{{"modes", "--loud"}, "unknown option \"--loud\""},
        BadLine{{"--speed", "3", "set"}, "unknown option"},
        BadLine{{"status", "--json=yes"}, "takes no value"},
        BadLine{{"status", "--emulate=broken"}, "--emulate takes"},
        BadLine{{"set"}, "at least one setting"},
        BadLine{{"set", "--speed"}, "--speed needs a value"},
        BadLine{{"set", "--mode"}, "--mode needs a value"},
        BadLine{{"set", "--mode="}, "--mode needs a mode name"},
        BadLine{{"set", "--speed", "16"}, "0 to 15"}, BadLine{{"set", "--speed=-1"}, "0 to 15"},
        BadLine{{"set", "--speed", "+3"}, "0 to 15"}, BadLine{{"set", "--speed", "3.5"}, "0 to 15"},
        BadLine{{"set", "--brightness", "256"}, "0 to 255"},
        BadLine{{"set", "--background-brightness", "99999999999"}, "0 to 255"},
        BadLine{{"set", "--profile", "x"}, "--profile takes a whole number"},
        BadLine{{"set", "--colour-set", "0"}, "1 to 4"},
        BadLine{{"set", "--colour-set", "5"}, "1 to 4"},
        BadLine{{"set", "--direction", "sideways"}, "--direction takes"},
        BadLine{{"set", "--direction", "Left"}, "--direction takes"},
        BadLine{{"set", "--colour", "FF00"}, "RRGGBB"},
        BadLine{{"set", "--colour", "GG0000"}, "RRGGBB"},
        BadLine{{"set", "--colour", "automatic"}, "or auto"},
        BadLine{{"set", "--background-colour", "auto"}, "RRGGBB"},
        BadLine{{"set", "--speed", "1", "--speed", "2"}, "given twice"},
        BadLine{{"set", "--speed", "1", "Esc"}, "unexpected argument"},
        BadLine{{"set", "--fast"}, "unknown option"},
        BadLine{{"paint", "--colour", "FF0000"}, "at least one key"},
        BadLine{{"paint", "Esc"}, "needs --colour"},
        BadLine{{"paint", "Esc", "--colour"}, "--colour needs a value"},
        BadLine{{"paint", "Escape", "--colour", "FF0000"}, "unknown key \"Escape\""},
        BadLine{{"paint", "Esc", "--colour", "red"}, "RRGGBB"},
        BadLine{{"paint", "Esc", "--colour", "FF0000", "--colour", "00FF00"}, "given twice"},
        BadLine{{"assign", "--clear"}, "exactly one key"},
        BadLine{{"assign", "F1", "F2", "--clear"}, "exactly one key"},
        BadLine{{"assign", "F1"}, "needs one of"},
        BadLine{{"assign", "F1", "--key"}, "--key needs a value"},
        BadLine{{"assign", "F1", "--key", "NoSuchKey"}, "unknown key \"NoSuchKey\""},
        BadLine{{"assign", "F1", "--key", "A", "--clear"}, "one of"},
        BadLine{{"assign", "F1", "--clear=yes"}, "takes no value"},
        BadLine{{"assign", "F1", "--function="}, "needs a value"},
        BadLine{{"assign", "F1", "--play", "x"}, "unknown option"},
        BadLine{{"diagnose", "F1"}, "unexpected argument \"F1\""},
        BadLine{{"diagnose", "--colour", "FF0000"}, "unknown option"},
        BadLine{{"rules"}, "needs list, add"}, BadLine{{"rules", "show"}, "not \"show\""},
        BadLine{{"rules", "add"}, "needs an APPLICATION"},
        BadLine{{"rules", "add", "xterm"}, "needs --profile"},
        BadLine{{"rules", "add", "xterm", "--profile", "256"}, "0 to 255"},
        BadLine{{"rules", "remove", "a", "b"}, "unexpected argument \"b\""},
        BadLine{{"rules", "on", "--profile", "1"}, "only rules add"}));

TEST(CommandLine, ReadsEverySettingOfSet) {
    const ParsedCommandLine parsed = ParseCommandLine({"set",
                                                       "--profile",
                                                       "2",
                                                       "--mode=Wave",
                                                       "--brightness",
                                                       "0",
                                                       "--background-brightness",
                                                       "255",
                                                       "--speed",
                                                       "15",
                                                       "--direction",
                                                       "anticlockwise",
                                                       "--colour",
                                                       "#a0B1c2",
                                                       "--background-colour",
                                                       "000001",
                                                       "--colour-set",
                                                       "4",
                                                       "--json",
                                                       "--emulate"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const CliRequest& request = parsed.request;
    EXPECT_EQ(parsed.command, FindCommand("set"));
    EXPECT_TRUE(request.json);
    EXPECT_EQ(request.emulation, "keyboard");
    const SetRequest& set = request.set;
    EXPECT_EQ(set.profile, 2);
    EXPECT_EQ(set.mode, "Wave");
    using lighting::Setting;
    EXPECT_EQ(set[Setting::Brightness], 0);
    EXPECT_EQ(set[Setting::BackgroundBrightness], 255);
    EXPECT_EQ(set[Setting::Speed], 15);
    EXPECT_EQ(lighting::Text(lighting::Row(Setting::Direction), *set[Setting::Direction]),
              "anticlockwise");
    EXPECT_EQ(set[Setting::Colour], 0xA0B1C2);
    EXPECT_NE(set[Setting::Colour], lighting::kAutomatic);
    EXPECT_EQ(set[Setting::BackgroundColour], 0x000001);
    EXPECT_EQ(set.colourSet, 4);
}

TEST(CommandLine, KeepsModeNamesAndNumbersAsText) {
    for (const char* mode : {"3", "Custom", "off"}) {
        const ParsedCommandLine parsed = ParseCommandLine({"set", "--mode", mode});
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.request.set.mode, mode);
    }
}

TEST(CommandLine, ReadsPaintAndAssign) {
    ParsedCommandLine paint = ParseCommandLine({"paint", "esc", "PAD 7", "--colour", "102030"});
    ASSERT_TRUE(paint.ok()) << paint.error;
    EXPECT_EQ(paint.request.paint.keys, (std::vector<std::string>{"esc", "PAD 7"}));
    EXPECT_EQ(paint.request.paint.colour, 0x102030u);

    const std::pair<std::vector<std::string>, AssignKind> lines[] = {
        {{"assign", "F1", "--key", "a"}, AssignKind::Key},
        {{"assign", "F1", "--function", "Mute"}, AssignKind::Function},
        {{"assign", "F1", "--combination=Copy"}, AssignKind::Combination},
        {{"assign", "--macro", "Mine", "F1"}, AssignKind::Macro},
        {{"assign", "F1", "--clear"}, AssignKind::Clear}};
    for (const auto& [arguments, kind] : lines) {
        const ParsedCommandLine parsed = ParseCommandLine(arguments);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.request.assign.key, "F1");
        EXPECT_EQ(parsed.request.assign.kind, kind);
    }
}

TEST(CommandLine, AutomaticColourAndHelp) {
    ParsedCommandLine automatic = ParseCommandLine({"set", "--colour", "auto"});
    ASSERT_TRUE(automatic.ok());
    EXPECT_EQ(automatic.request.set[lighting::Setting::Colour], lighting::kAutomatic);
    EXPECT_FALSE(automatic.request.set[lighting::Setting::BackgroundColour]);
    // Help wins over a line that is not complete yet.
    EXPECT_TRUE(ParseCommandLine({"assign", "--help"}).help);
    EXPECT_TRUE(ParseCommandLine({"set", "-h"}).help);
}

TEST(CommandLine, UsageNamesEveryCommand) {
    const std::pair<const char*, const char*> commands[] = {
        {"status", "status"},   {"modes", "modes"},       {"set", "set SETTING"},
        {"paint", "paint KEY"}, {"assign", "assign KEY"}, {"diagnose", "diagnose"}};
    for (const auto& [name, synopsis] : commands) {
        EXPECT_NE(ProgramHelp().find(name), std::string::npos) << name;
        EXPECT_NE(CommandHelp(*FindCommand(name)).find(synopsis), std::string::npos) << name;
    }
}

// The options of every command stand before or after it; a bare --emulate never eats a command.
TEST(CommandLine, CommonOptionsStandAnywhere) {
    struct Line {
        std::vector<std::string> arguments;
        const char* emulation;
        bool json;
        int verbosity;
    };
    const Line lines[] = {
        {{"--emulate", "keyboard", "status"}, "keyboard", false, 0},
        {{"--emulate=old-firmware", "status"}, "old-firmware", false, 0},
        {{"--emulate", "status"}, "keyboard", false, 0},
        {{"status", "--emulate", "absent", "--json"}, "absent", true, 0},
        {{"--json", "-v", "status", "-v"}, "", true, 2},
        {{"-vv", "status", "--verbose"}, "", false, 3},
    };
    for (const Line& line : lines) {
        const ParsedCommandLine parsed = ParseCommandLine(line.arguments);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.command, FindCommand("status"));
        EXPECT_EQ(parsed.request.emulation, line.emulation);
        EXPECT_EQ(parsed.request.json, line.json);
        EXPECT_EQ(parsed.verbosity, line.verbosity);
    }
    const ParsedCommandLine help = ParseCommandLine({"help", "paint"});
    EXPECT_TRUE(help.help && help.command == FindCommand("paint"));
    EXPECT_TRUE(ParseCommandLine({"--version"}).version);
    EXPECT_TRUE(ParseCommandLine({"--emulate"}).StartsWindow());
}

}  // namespace
