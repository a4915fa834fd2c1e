// The keyboard's settings saved and restored from the window: the "more" menu's export and
// import through the file dialog, and the factory reset that offers to export first.
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "persist/SmallTextFile.h"
#include "support/Scenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kRain = 3;

class BackupScenario : public Scenario {
protected:
    fs::path File(const char* name) const { return program_->macroFile().parent_path() / name; }

    // Exports the keyboard from the menu to `file`, then changes the file as `edit` says.
    void ExportEdited(const fs::path& file, const std::function<void(nlohmann::json&)>& edit) {
        ChooseFromMoreMenu(kExportSettings);
        AnswerFileDialog("Save keyboard settings", file);
        CloseMessageBox("Export settings");
        auto backup =
            nlohmann::json::parse(persist::ReadSmallTextFile(file, 1 << 24, "a backup").text);
        edit(backup);
        std::ofstream(file, std::ios::binary) << backup.dump(2);
    }

    bool ProfileModeIs(int mode) {
        return WaitUntil([&] {
            const auto keyboard = Keyboard();
            return keyboard && keyboard->profileModes[0] == mode;
        });
    }
};

TEST_F(BackupScenario, SettingsExportedFromTheMenuComeBackWithImport) {
    PrepareKeyboard([](KeyboardState& s) {
        s.profileModes[0] = kRain;
        s.Register(0, kRain).foregroundBrightness = 77;
    });
    fs::create_directories(program_->macroFile().parent_path());
    ASSERT_TRUE(StartProgram());
    // The keyboard is there, and the check says so.
    ChooseFromMoreMenu(kCheckDevice);
    CloseMessageBox("Check device", "connected");
    const fs::path file = File("lighting.json");
    ChooseFromMoreMenu(kExportSettings);
    AnswerFileDialog("Save keyboard settings", file);
    CloseMessageBox("Export settings", QString::fromStdString(file.string()));
    const std::string saved = persist::ReadSmallTextFile(file, 1 << 24, "a backup").text;
    EXPECT_NE(saved.find("\"Rain\""), std::string::npos) << saved.substr(0, 400);

    // The user moves on to another mode and another brightness, then restores the file.
    ChooseFromList("cmb_mainled_light_mode_normal", "Wave");
    ASSERT_TRUE(ProfileModeIs(2)) << WithScreen("the mode did not change");
    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    CloseMessageBox("Import settings", "restored the whole keyboard");
    EXPECT_TRUE(ProfileModeIs(kRain)) << "the import did not bring the mode back";
    EXPECT_EQ(Keyboard()->Register(0, kRain).foregroundBrightness, 77);
    EXPECT_TRUE(WaitForControl("bar_mainled_bgbrightness_parent").screen.isValid())
        << WithScreen("the window does not show the restored mode's settings");

    // A value out of range is named with what is allowed, and nothing changes.
    auto backup = nlohmann::json::parse(saved);
    backup["profiles"]["list"][0]["registers"]["Wave"]["speed"] = 99;
    std::ofstream(file, std::ios::binary) << backup.dump(2);
    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    CloseMessageBox("Import settings",
                    "profiles/list/0/registers/Wave/speed is 99; allowed 0 to 15");
    EXPECT_TRUE(ProfileModeIs(kRain));
}

TEST_F(BackupScenario, FactoryResetExportsFirstWhenAskedTo) {
    PrepareKeyboard([](KeyboardState& s) { s.profileModes[0] = kRain; });
    fs::create_directories(program_->macroFile().parent_path());
    ASSERT_TRUE(StartProgram());
    const fs::path file = File("before-reset.json");

    // Cancelling the file dialog erases nothing.
    Click("btn_kb_restore_factory");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 1; }))
        << WithScreen("no question before the factory reset");
    Click("msgbtn_ok");  // "Export first"
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Save keyboard settings") == 1; }));
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Save keyboard settings") == 0; }));
    EXPECT_TRUE(ProfileModeIs(kRain));

    Click("btn_kb_restore_factory");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 1; }));
    Click("msgbtn_ok");
    AnswerFileDialog("Save keyboard settings", file);
    CloseMessageBox("Export settings");
    EXPECT_TRUE(ProfileModeIs(0)) << "the keyboard was not reset after the export";
    const std::string saved = persist::ReadSmallTextFile(file, 1 << 24, "a backup").text;
    EXPECT_NE(saved.find("\"Rain\""), std::string::npos) << "the file lacks the reset state";
}

TEST_F(BackupScenario, AFileFromAnotherKeyboardIsRestoredInPartOnlyWhenTheUserAgrees) {
    PrepareKeyboard([](KeyboardState& s) { s.profileModes[0] = kRain; });
    fs::create_directories(program_->macroFile().parent_path());
    ASSERT_TRUE(StartProgram());
    const fs::path file = File("two-profiles.json");
    // The same keyboard with one profile fewer, its first profile in Wave.
    ExportEdited(file, [](nlohmann::json& backup) {
        backup["profiles"]["count"] = 2;
        backup["profiles"]["list"].erase(2);
        backup["profiles"]["list"][0]["activeMode"] = "Wave";
    });

    // The window asks; Escape keeps the keyboard as it is.
    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Another keyboard") == 1; }))
        << WithScreen("no question about the other keyboard");
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Another keyboard") == 0; }));
    EXPECT_TRUE(ProfileModeIs(kRain));
    EXPECT_EQ(WindowsTitled("Import settings"), 0) << WithScreen("a cancelled import reports");

    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    CloseMessageBox("Another keyboard", "the file has 2 profiles, the keyboard 3 profiles");
    CloseMessageBox("Import settings", "restored what matches");
    EXPECT_TRUE(ProfileModeIs(2)) << "the profile the file has was not restored";
}

TEST_F(BackupScenario, KeysAFileChangesAreShownAndRestoredOnlyWhenTheUserAgrees) {
    fs::create_directories(program_->macroFile().parent_path());
    ASSERT_TRUE(StartProgram());
    const fs::path file = File("space-is-enter.json");
    ExportEdited(file, [](nlohmann::json& backup) {
        backup["keys"]["SpaceBar"] = {{"kind", "key"}, {"key", "Enter"}};
    });
    constexpr std::size_t kSpaceBar = 97;

    // Cancel sends nothing.
    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Key assignments") == 1; }))
        << WithScreen("the keys the file changes were not shown");
    const QString list = WaitForControl("msglist").label;
    EXPECT_TRUE(
        list.contains(QString::fromUtf8("SpaceBar \u2192 key Enter  (!) remaps a common key")))
        << list.toStdString();
    Click("msgbtn_cancel");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Key assignments") == 0; }));
    EXPECT_EQ(WindowsTitled("Import settings"), 0) << WithScreen("a cancelled import reports");
    EXPECT_FALSE(Keyboard()->keyCodes[kSpaceBar].hasAssignment());

    ChooseFromMoreMenu(kImportSettings);
    AnswerFileDialog("Open keyboard settings", file);
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Key assignments") == 1; }));
    Click("msgbtn_ok");  // "Restore"
    CloseMessageBox("Import settings", "restored the whole keyboard");
    EXPECT_EQ(Keyboard()->keyCodes[kSpaceBar], macro_code_t::make(2, 0x28));
}

}  // namespace
}  // namespace e2e
