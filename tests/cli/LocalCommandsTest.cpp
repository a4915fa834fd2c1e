// The commands end to end against the emulated keyboard, in the process that opens it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>
#include <sstream>

#include "LocalCommandsFixture.h"
#include "files/TempFolder.h"
#include "persist/MacroSharing.h"
#include "persist/SmallTextFile.h"
#include "records/KeyTable.h"

namespace {

TEST_F(LocalCommands, StatusDescribesTheKeyboard) {
    ASSERT_EQ(Run({"status", "--json", "--emulate"}), kExitDone) << err.str();
    EXPECT_EQ(opened, "keyboard");
    const nlohmann::json status = Json();
    EXPECT_TRUE(status["connected"].get<bool>());
    EXPECT_EQ(status["productId"].get<std::string>(), "0x1514");
    EXPECT_EQ(status["profileCount"].get<int>(), 3);
    EXPECT_EQ(status["activeProfile"].get<int>(), Keyboard().ActiveProfile());
    const nlohmann::json mode = status["mode"];
    EXPECT_EQ(mode["index"].get<int>(), Keyboard().ProfileMode(Keyboard().ActiveProfile()));
    EXPECT_EQ(status["keyColours"].size(), 108);
    EXPECT_EQ(status["keyColours"][0]["key"].get<std::string>(), "Esc");
    // Reading sends nothing.
    EXPECT_EQ(Sent(), 0u);

    ASSERT_EQ(Run({"status"}), kExitDone);
    EXPECT_NE(out.str().find("Keyboard: connected (product id 0x1514)"), std::string::npos);
}

TEST_F(LocalCommands, AnAbsentKeyboardEndsWithOneAndSaysWhy) {
    backend->UnplugKeyboard();
    EXPECT_EQ(Run({"status"}), kExitKeyboard);
    EXPECT_NE(out.str().find("no keyboard is plugged in"), std::string::npos);
    EXPECT_EQ(Run({"set", "--speed", "3"}), kExitKeyboard);
    EXPECT_NE(err.str().find("not connected"), std::string::npos);

    backend->PlugOldFirmware(0x1512);
    ASSERT_EQ(Run({"modes", "--json"}), kExitKeyboard);
    EXPECT_FALSE(Json()["connected"].get<bool>());
    EXPECT_NE(Json()["state"].get<std::string>().find("firmware"), std::string::npos);
    ASSERT_EQ(Run({"status", "--json"}), kExitKeyboard);
    EXPECT_EQ(Json()["productId"].get<std::string>(), "0x1512");
}

TEST_F(LocalCommands, AKeyboardThatCannotBeOpenedGivesTheSystemsReason) {
    unopenable = true;
    EXPECT_EQ(Run({"status"}), kExitKeyboard);
    EXPECT_NE(out.str().find("cannot be opened: Permission denied (errno 13); install the udev"),
              std::string::npos)
        << out.str();
    ASSERT_EQ(Run({"status", "--json"}), kExitKeyboard);
    EXPECT_NE(Json()["state"].get<std::string>().find("Permission denied"), std::string::npos);
    EXPECT_EQ(Run({"set", "--speed", "3"}), kExitKeyboard);
    EXPECT_NE(err.str().find("Permission denied"), std::string::npos) << err.str();
}

TEST_F(LocalCommands, ModesListEveryModeWithItsSettings) {
    ASSERT_EQ(Run({"modes", "--json"}), kExitDone) << err.str();
    const nlohmann::json modes = Json()["modes"];
    ASSERT_EQ(modes.size(), Keyboard().Shape().modes);
    for (const nlohmann::json& value : modes) {
        const nlohmann::json mode = value;
        if (mode["name"].get<std::string>() == "Custom") {
            const nlohmann::json& settings = mode["settings"];
            EXPECT_NE(std::find(settings.begin(), settings.end(), "colour-set"), settings.end());
        }
        if (mode["name"].get<std::string>() == "Off") {
            EXPECT_TRUE(mode["settings"].empty());
        }
    }
}

TEST_F(LocalCommands, SetChangesProfileModeAndRegister) {
    ASSERT_EQ(Run({"set", "--profile", "2", "--mode", "rain", "--speed", "7", "--direction", "down",
                   "--brightness", "17", "--background-colour", "102030"}),
              kExitDone)
        << err.str();
    EXPECT_EQ(Keyboard().ActiveProfile(), 2);
    EXPECT_EQ(Keyboard().ProfileMode(2), 3);
    const _reg_mode_t reg = Keyboard().State().Register(2, 3);
    EXPECT_EQ(reg.speed(), 7);
    EXPECT_EQ(reg.direction(), MODE_DIR_DOWN);
    EXPECT_EQ(reg.foregroundBrightness, 17);
    EXPECT_EQ(reg.background[0], 0x10);
    EXPECT_EQ(reg.background[2], 0x30);

    // The next run reads back what this one set.
    ASSERT_EQ(Run({"status", "--json"}), kExitDone);
    const nlohmann::json mode = Json()["mode"];
    EXPECT_EQ(mode["name"].get<std::string>(), "Rain");
    EXPECT_EQ(mode["speed"].get<int>(), 7);
    EXPECT_EQ(mode["direction"].get<std::string>(), "down");
    EXPECT_EQ(mode["backgroundColour"].get<std::string>(), "#102030");
}

TEST_F(LocalCommands, SetChoosesAutomaticColoursAndColourSets) {
    ASSERT_EQ(Run({"set", "--mode", "0", "--colour", "auto"}), kExitDone) << err.str();
    const int profile = Keyboard().ActiveProfile();
    EXPECT_TRUE(Keyboard().State().Register(profile, 0).autoForeground());
    ASSERT_EQ(Run({"set", "--mode", "Custom", "--colour-set", "3"}), kExitDone) << err.str();
    EXPECT_EQ(Keyboard().SelectedColourSet(), 2);
}

TEST_F(LocalCommands, PaintColoursKeysOfTheSelectedSet) {
    ASSERT_EQ(Run({"paint", "esc", "PAD 7", "--colour", "A1B2C3"}), kExitDone) << err.str();
    const KeyColourSet colours = Keyboard().Colours(Keyboard().SelectedColourSet());
    EXPECT_EQ(colours[0].r, 0xA1);
    EXPECT_EQ(colours[0].g, 0xB2);
    EXPECT_EQ(colours[0].b, 0xC3);
    // "Pad 7" is the 55th key of the picture.
    EXPECT_EQ(colours[54].b, 0xC3);
    EXPECT_NE(colours[1].b, 0xC3);
}

TEST_F(LocalCommands, PaintTakesTheShortNamesAndTheAsciiApostrophe) {
    const KeyColourSet before = Keyboard().Colours(Keyboard().SelectedColourSet());
    ASSERT_EQ(Run({"paint", "Caps", "Del", "'", "Win", "--colour", "0A0B0C"}), kExitDone)
        << err.str();
    const KeyColourSet after = Keyboard().Colours(Keyboard().SelectedColourSet());
    // CapsLock, Delete, the apostrophe key and the left Win key, in picture order.
    const std::set<std::size_t> painted = {58, 51, 69, 95};
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].b == 0x0C && after[i].g == 0x0B, painted.count(i) == 1) << i;
    EXPECT_NE(before[58].b, 0x0C);
}

TEST_F(LocalCommands, AssignGivesKeysWhatTheyPlay) {
    ASSERT_EQ(Run({"assign", "F1", "--key", "a"}), kExitDone) << err.str();
    EXPECT_EQ(Keyboard().KeyCodes()[1].code(), 0x2004);
    ASSERT_EQ(Run({"assign", "F2", "--function", "Mute"}), kExitDone) << err.str();
    EXPECT_EQ(Keyboard().KeyCodes()[2].code(), 0x2000 | 226);
    ASSERT_EQ(Run({"assign", "F3", "--combination", "copy"}), kExitDone) << err.str();
    const macro_code_t played = Keyboard().KeyCodes()[3];
    ASSERT_TRUE(played.playsMacro());
    EXPECT_EQ(Keyboard().Macro(played.value()).count, 4);

    ASSERT_EQ(Run({"status", "--json"}), kExitDone);
    const nlohmann::json assignments = Json()["assignments"];
    ASSERT_EQ(assignments.size(), 3);
    EXPECT_EQ(assignments[0]["key"].get<std::string>(), "F1");
    EXPECT_EQ(assignments[0]["playsKey"].get<std::string>(), "A");
    EXPECT_EQ(assignments[1]["playsFunction"].get<std::string>(), "Mute");
    EXPECT_EQ(assignments[2]["kind"].get<std::string>(), "combination");
    EXPECT_EQ(assignments[2]["combination"].get<std::string>(), "Copy");

    ASSERT_EQ(Run({"assign", "F1", "--clear"}), kExitDone) << err.str();
    EXPECT_EQ(Keyboard().KeyCodes()[1].code(), 0);
}

// The user's groups stay as the user made them: reading the keyboard renames, doubles or adds
// none, a combination is no group, and commands that only read never write "macro.xml".
TEST_F(LocalCommands, ReadingTheKeyboardLeavesTheUsersGroupsAlone) {
    persist::MacroGroupContent copy{{-1, 1, L"Copy"}, {{0x2E, 0, 10, L"C"}, {0x2E, 1, 10, L"C"}}};
    persist::MacroGroupContent twin = copy;
    twin.info.name = L"Copy (2)";
    std::ofstream(paths.macroFile) << persist::WriteSharedGroups({copy, twin});
    ASSERT_EQ(Run({"assign", "F4", "--macro", "Copy"}), kExitDone) << err.str();
    ASSERT_EQ(Run({"assign", "F5", "--combination", "Copy"}), kExitDone) << err.str();
    const auto saved = persist::ReadSmallTextFile(paths.macroFile, 1 << 20, "macros").text;
    const std::string backup = (paths.userFolder / "keyboard.json").string();
    for (const std::vector<std::string>& line :
         {std::vector<std::string>{"status"}, {"modes"}, {"export", backup}, {"status"}})
        ASSERT_EQ(Run(line), kExitDone) << line[0] << ": " << err.str();
    EXPECT_EQ(persist::ReadSmallTextFile(paths.macroFile, 1 << 20, "macros").text, saved);
    EXPECT_EQ(persist::ReadSharedGroups(saved).groups.size(), 2u) << saved;
    EXPECT_NE(out.str().find("F4: macro \"Copy\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("F5: combination Copy"), std::string::npos) << out.str();
    ASSERT_EQ(Run({"assign", "F6", "--macro", "Copy (2)"}), kExitDone) << err.str();
}

// Whatever is wrong with the line, the keyboard gets nothing; a line that is wrong in itself
// does not even open it.
TEST_F(LocalCommands, BadInputEndsWithTwoAndSendsNothing) {
    const KeyboardState before = Keyboard().State();
    const std::vector<std::vector<std::string>> syntax = {{"set", "--speed", "16"},
                                                          {"set", "--mode", "Wave", "--speed"},
                                                          {"paint", "Nokey", "--colour", "FF0000"},
                                                          {"assign", "F1", "--key", "A", "--clear"},
                                                          {"status", "--emulate=nothing"}};
    for (const auto& arguments : syntax) {
        EXPECT_EQ(Run(arguments), kExitUsage) << arguments.front();
        EXPECT_TRUE(backend->Log().empty());
        EXPECT_EQ(opened, "-");
        EXPECT_NE(err.str().find("keylume: "), std::string::npos);
    }
    const std::vector<std::vector<std::string>> meaning = {
        {"set", "--mode", "Sparkle"},
        {"set", "--mode", "99"},
        {"set", "--mode", "Custom", "--speed", "3"},
        {"set", "--profile", "3"},
        {"set", "--mode", "Wave", "--direction", "up"},
        {"assign", "Fn", "--clear"},
        {"assign", "F1", "--macro", "No such macro"},
        {"assign", "F1", "--function", "Teleport"}};
    for (const auto& arguments : meaning) {
        EXPECT_EQ(Run(arguments), kExitUsage) << arguments[2];
        EXPECT_EQ(Sent(), 0u) << arguments[2];
    }
    EXPECT_EQ(Keyboard().State().keyCodes, before.keyCodes);
    EXPECT_EQ(Keyboard().ActiveProfile(), before.activeProfile);
}

TEST_F(LocalCommands, ARefusedCommandEndsWithOne) {
    refuse = true;
    EXPECT_EQ(Run({"set", "--brightness", "9"}), kExitKeyboard);
    EXPECT_NE(err.str().find("refused"), std::string::npos);
    EXPECT_EQ(Run({"paint", "Esc", "--colour", "010203", "--json"}), kExitKeyboard);
    EXPECT_FALSE(Json()["ok"].get<bool>());
    EXPECT_EQ(Json()["exitCode"].get<int>(), kExitKeyboard);
}

TEST_F(LocalCommands, AKeyboardPulledOutDuringACommandEndsItWithOne) {
    ASSERT_EQ(Run({"status"}), kExitDone);
    const std::uint64_t read = backend->Log().size();  // reports of one connection read
    // Right after the connection read, and after the first of the two commands the line needs.
    for (std::uint64_t after = 0; after <= 1; ++after) {
        backend->PlugKeyboard();
        const std::uint64_t unplugAt = backend->ReportCount() + read + after;
        EXPECT_EQ(RunLocally(
                      {"set", "--mode", "Wave", "--speed", "5", "--brightness", "9"}, paths,
                      [&](const std::string&) -> std::shared_ptr<HidBackend> {
                          backend->UnplugAfter(unplugAt);
                          return backend;
                      },
                      out, err),
                  kExitKeyboard)
            << after;
        backend->ClearFaults();
    }
}

TEST_F(LocalCommands, HelpOpensNothing) {
    EXPECT_EQ(Run({"paint", "--help"}), kExitDone);
    EXPECT_NE(out.str().find("Usage: keylume paint KEY"), std::string::npos);
    EXPECT_EQ(Run({"help", "assign"}), kExitDone);
    EXPECT_NE(out.str().find("Usage: keylume assign KEY"), std::string::npos);
    EXPECT_EQ(opened, "-");
}

}  // namespace
