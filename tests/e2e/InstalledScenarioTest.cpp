// The program as a package installs it: run from another folder, with its data under
// share/keylume and the user's files under $XDG_CONFIG_HOME.
#include <fstream>

#include "support/Scenario.h"

namespace e2e {
namespace {

class InstalledScenario : public Scenario {};

TEST_F(InstalledScenario, TheKeyPicturesWorkAndMacrosGoToTheUsersFolder) {
    std::string error;
    ASSERT_TRUE(program_->Install(error)) << error;
    // The user's own "config.xml" is damaged: the installed one takes its place.
    const std::filesystem::path userConfig = program_->macroFile().parent_path() / "config.xml";
    std::filesystem::create_directories(userConfig.parent_path());
    std::ofstream(userConfig) << "<funkey><k name=\"Mute";
    ASSERT_TRUE(StartProgram());
    // A key clicked on the keys page opens the editor for it.
    ClickLabelled("Keys");
    ClickKey("cbimg_macro_record", "A");
    ASSERT_FALSE(WaitForControl("btnOK").screen.isEmpty())
        << WithScreen("the installed program's key picture does not open the editor");
    // The function list comes from the installed default settings, and the program said why.
    ClickLabelled("Function keys");
    ChooseFromList("cmb_media_keys", "Mute");
    Click("btnOK");
    ASSERT_TRUE(WaitUntilGone("btnOK"));
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(program_->macroFile()); }))
        << "no macro.xml in the user's folder";
    EXPECT_FALSE(program_->Output().contains("no keys")) << program_->Output().toStdString();
    const QString note = QString::fromStdString(userConfig.string() + " cannot be read; using ");
    EXPECT_TRUE(WaitUntil([&] { return program_->Output().contains(note); }))
        << program_->Output().toStdString();
}

}  // namespace
}  // namespace e2e
