#include <gtest/gtest.h>

#include "cli/StatusText.h"
#include "ops/StatusReport.h"
#include "records/MacroRequest.h"
#include "records/ModeAttr.h"

namespace {

KeyboardStatus Connected(std::uint16_t flags, _reg_mode_t reg = {}) {
    KeyboardStatus status;
    status.presence = KeyboardStatus::Presence::Connected;
    status.productId = 0x1514;
    status.profileCount = 1;
    status.modes = {{"Only", flags}};
    status.reg = reg;
    return status;
}

TEST(StatusReport, ShowsOnlyTheSettingsTheModeHas) {
    _reg_mode_t reg;
    reg.foregroundBrightness = 7;
    reg.setSpeed(4);
    reg.setDirection(1);
    reg.foreground[0] = 0xAB;
    const nlohmann::json rotating = StatusJson(
        Connected(MODE_CAP_SPEED | MODE_CAP_ROTATION | MODE_CAP_FOREGROUND, reg), {})["mode"];
    EXPECT_EQ(rotating["speed"].get<int>(), 4);
    EXPECT_EQ(rotating["direction"].get<std::string>(), "anticlockwise");
    EXPECT_EQ(rotating["colour"].get<std::string>(), "#AB0000");
    EXPECT_FALSE(rotating.contains("brightness"));

    reg.setAutoForeground(true);
    const nlohmann::json automatic =
        StatusJson(Connected(MODE_CAP_FOREGROUND | MODE_CAP_AUTO_FOREGROUND |
                                 MODE_CAP_FOREGROUND_BRIGHTNESS | MODE_CAP_DIRECTION_LEFT_RIGHT,
                             reg),
                   {})["mode"];
    EXPECT_EQ(automatic["colour"].get<std::string>(), "auto");
    EXPECT_EQ(automatic["brightness"].get<int>(), 7);
    EXPECT_EQ(automatic["direction"].get<std::string>(), "left");

    const nlohmann::json off = StatusJson(Connected(0, reg), {})["mode"];
    std::vector<std::string> keys;
    for (const auto& [key, value] : off.items()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"index", "name"}));
}

TEST(StatusReport, NamesWhatAssignedKeysPlay) {
    AssignmentChoices choices;
    choices.functions = {{L"Mute", 226, L"", L""}, {L"Mail", 394, L"", L""}};
    MacroRecordGroup group;
    group.info.current() = MacroRecordGpInfo{5, 1, L"Hello"};
    choices.macros.push_back(group);

    choices.combinations = {{L"Copy", {{0x1D, 0}, {0x2E, 0}}}};
    std::map<int, macro_block_t> onBoard;
    macrokey_pack_t copy;
    macroreq::FillCombination(copy, choices.combinations[0], 0);
    onBoard[7] = copy.macro;
    onBoard[8] = copy.macro;
    onBoard[8].name.set("Mine");
    auto describe = [&](unsigned type, unsigned value) {
        return DescribeAssignment(macro_code_t::make(type, value), choices, onBoard);
    };

    const nlohmann::json key = describe(2, 0x04);
    EXPECT_EQ(key["playsKey"].get<std::string>(), "A");
    EXPECT_EQ(key["kind"].get<std::string>(), "key");
    EXPECT_FALSE(key.contains("playsFunction"));
    // 226 is both a key's usage and the code of Mute: both are named.
    const nlohmann::json shared = describe(2, 226);
    EXPECT_EQ(shared["playsKey"].get<std::string>(), "AltLeft");
    EXPECT_EQ(shared["playsFunction"].get<std::string>(), "Mute");
    EXPECT_EQ(describe(2, 394)["playsFunction"].get<std::string>(), "Mail");
    EXPECT_EQ(describe(2, 394)["kind"].get<std::string>(), "function");
    const nlohmann::json macro = describe(3, 5);
    EXPECT_EQ(macro["kind"].get<std::string>(), "macro");
    EXPECT_EQ(macro["name"].get<std::string>(), "Hello");
    EXPECT_FALSE(describe(3, 6).contains("name"));
    // A combination is named as one, not as a nameless macro; the same steps under another name
    // are a macro of the keyboard's name.
    EXPECT_EQ(describe(3, 7)["kind"].get<std::string>(), "combination");
    EXPECT_EQ(describe(3, 7)["combination"].get<std::string>(), "Copy");
    EXPECT_EQ(describe(3, 8)["kind"].get<std::string>(), "macro");
    EXPECT_EQ(describe(3, 8)["name"].get<std::string>(), "Mine");
}

TEST(StatusReport, TextSaysWhyTheKeyboardIsMissingAndCopesWithAHalfRead) {
    KeyboardStatus absent;
    absent.presence = KeyboardStatus::Presence::NoPermission;
    EXPECT_NE(StatusText(StatusJson(absent, {})).find("udev rule"), std::string::npos);
    absent.presence = KeyboardStatus::Presence::OldFirmware;
    EXPECT_NE(ModesText(ModesJson(absent)).find("firmware is too old"), std::string::npos);

    KeyboardStatus half = Connected(0);
    half.modes.clear();
    const std::string text = StatusText(StatusJson(half, {}));
    EXPECT_NE(text.find("Mode: unknown"), std::string::npos);
    EXPECT_NE(text.find("Assigned keys: none"), std::string::npos);
}

}  // namespace
