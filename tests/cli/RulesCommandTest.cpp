// The rules of applications: kept by the command in their file, and followed by the switch as
// applications come to the front.
#include <chrono>
#include <thread>

#include "LocalCommandsFixture.h"
#include "ops/FrontSwitch.h"

namespace {

class RulesCommand : public LocalCommands {};

// Whether the keyboard comes to show the profile (and the mode) within a while.
bool Shows(KeyboardOperations& keyboard, int profile, const char* mode = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    do {
        const KeyboardStatus status = keyboard.Status();
        if (status.activeProfile == profile &&
            (!mode || (status.currentMode() && status.currentMode()->name == mode)))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST_F(RulesCommand, RulesTheCommandKeepsSwitchTheKeyboardAsApplicationsComeForward) {
    EXPECT_EQ(Run({"rules", "add", "XTerm", "--profile", "1", "--mode", "Wave"}), kExitDone);
    EXPECT_EQ(Run({"rules", "add", "*", "--profile", "2"}), kExitDone);
    EXPECT_EQ(Run({"rules", "remove", "xmessage"}), kExitUsage);
    EXPECT_NE(err.str().find("no rule for xmessage"), std::string::npos) << err.str();
    ASSERT_EQ(Run({"rules", "on", "--json"}), kExitDone);
    const nlohmann::json report = Json();
    EXPECT_EQ(report.value("ok", false), true);
    EXPECT_EQ(report.value("enabled", false), true);
    EXPECT_EQ(report["rules"],
              nlohmann::json::parse(R"([{"app":"XTerm","profile":1,"mode":"Wave"}])"));
    EXPECT_EQ(report["otherwise"], nlohmann::json::parse(R"({"profile":2})"));
    ASSERT_EQ(Run({"rules", "list"}), kExitDone);
    EXPECT_NE(out.str().find("XTerm: profile 1, mode Wave"), std::string::npos) << out.str();
    EXPECT_EQ(Sent(), 0u);
    // The keyboard's backup holds them.
    const std::string backup = (folder.path() / "keyboard.json").string();
    ASSERT_EQ(Run({"export", backup}), kExitDone) << err.str();
    ASSERT_EQ(Run({"rules", "remove", "xterm"}), kExitDone);
    ASSERT_EQ(Run({"import", backup, "--yes"}), kExitDone) << err.str();
    ASSERT_EQ(Run({"rules", "list", "--json"}), kExitDone);
    EXPECT_EQ(Json()["rules"], report["rules"]);

    LocalKeyboard keyboard(paths, backend);
    keyboard.Connect();
    FrontSwitch following(keyboard.Operations(), persist::AppRulesFile(paths.rulesFile()),
                          {"keylume"});
    following.Front({"xterm", "XTerm"});
    EXPECT_TRUE(Shows(keyboard.Operations(), 1, "Wave"));
    following.Front({"xmessage"});
    EXPECT_TRUE(Shows(keyboard.Operations(), 2));
    EXPECT_EQ(Keyboard().ActiveProfile(), 2);
    EXPECT_EQ(following.Recent(), (std::vector<std::string>{"xmessage", "xterm"}));
}

}  // namespace
