// The main window as a whole: what its caption offers, moving it by its title area, minimising
// where the desktop has no tray, a mask clear and a factory reset that ask first and show what
// they did, and the choice of language.
#include <fstream>

#include "persist/ConfigDocument.h"
#include "support/Scenario.h"

namespace e2e {
namespace {

constexpr int kRain = 3;

class WindowScenario : public Scenario {
protected:
    // The X window of the main window, found by its title.
    QString MainWindowId() {
        return QString::fromUtf8(
                   RunOn(*desktop_, "xdotool", {"search", "--onlyvisible", "--name", "^Keylume$"}))
            .split('\n', Qt::SkipEmptyParts)
            .value(0);
    }
    // "Normal", "Iconic" or "Withdrawn", as the window manager keeps it.
    QString WindowState(const QString& id) {
        const QString text = QString::fromUtf8(RunOn(*desktop_, "xprop", {"-id", id, "WM_STATE"}));
        for (const char* state : {"Normal", "Iconic"})
            if (text.contains(QString("window state: ") + state)) return state;
        return "Withdrawn";
    }
};

TEST_F(WindowScenario, TheTitleAreaMovesTheWindowOnlyWhileDragged) {
    ASSERT_TRUE(StartProgram());
    const QRect caption = WaitForControl("caption").screen;
    const QPoint grip(caption.left() + caption.width() / 3, caption.center().y());
    auto place = [&] { return a11y_->First("caption").screen.topLeft(); };
    const QPoint start = place();
    // A click without motion, press and release arriving together, moves nothing after it.
    input_->Click(grip);
    input_->MoveTo(grip + QPoint(120, 90));
    EXPECT_FALSE(WaitUntil([&] { return place() != start; }, std::chrono::seconds(1)))
        << WithScreen("the window follows the pointer after a click on its title area");
    input_->Drag(grip, grip + QPoint(80, 60));
    EXPECT_TRUE(WaitUntil([&] { return place() != start; }))
        << WithScreen("dragging the title area did not move the window");
}

TEST_F(WindowScenario, MinimisedWithoutATrayTheWindowComesBackFromTheDesktop) {
    ASSERT_TRUE(StartProgram());
    // The lighting sync box did nothing and is gone.
    EXPECT_TRUE(a11y_->Find("sync_light_dat").empty()) << WithScreen("the sync box shows");
    const QString id = MainWindowId();
    ASSERT_FALSE(id.isEmpty());
    ASSERT_EQ(WindowState(id), "Normal");
    Click("btn_min");
    // This desktop has no tray: the window is iconified, not hidden out of reach.
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id) == "Iconic"; }))
        << WithScreen("minimised, the window is " + WindowState(id).toStdString());
    RunOn(*desktop_, "xdotool", {"windowactivate", "--sync", id});
    EXPECT_TRUE(WaitUntil([&] { return WindowState(id) == "Normal"; }));
    WaitForControl("btn_more");
}

TEST_F(WindowScenario, FactoryResetAsksAndThenShowsWhatTheKeyboardHolds) {
    // Rain, and key A sending B.
    const auto keyA = static_cast<std::size_t>(KeyInfo("cbimg_macro_record", "A").index);
    PrepareKeyboard([&](KeyboardState& s) {
        s.profileModes[0] = kRain;
        s.keyCodes.at(keyA) = macro_code_t::make(2, 0x05);
        s.masks = 0x00FF;
    });
    ASSERT_TRUE(StartProgram());
    ASSERT_FALSE(a11y_->Find("bar_mainled_speed_parent").empty());
    ClickLabelled("Keys");
    const QRect a = KeyOnScreen("cbimg_macro_record", "A");
    const QRect s = KeyOnScreen("cbimg_macro_record", "S");
    ASSERT_GT(ColourDistance(MainColour(Screen(), a), MainColour(Screen(), s)), 20)
        << WithScreen("the assigned key A is not marked");
    ClickLabelled("Lighting");

    // Clearing the masks asks too: Escape keeps them, OK clears them and says so.
    Click("btn_clear_all_mask");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Clear masks") == 1; }))
        << WithScreen("no question before clearing the masks");
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Clear masks") == 0; }));
    EXPECT_EQ(Keyboard()->masks, 0x00FF);
    Click("btn_clear_all_mask");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Clear masks") == 1; }));
    Click("msgbtn_ok");
    EXPECT_TRUE(WaitUntil([&] { return a11y_->First("msgtext").label.contains("were cleared"); }))
        << WithScreen("clearing the masks says nothing");
    CloseMessageBox("Clear masks");
    EXPECT_TRUE(WaitUntil([&] { return Keyboard()->masks == 0; })) << "the masks stay";

    // The reset asks first, saying what it erases; Escape keeps everything.
    Click("btn_kb_restore_factory");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 1; }))
        << WithScreen("no question before the factory reset");
    const Control text = WaitForControl("msgtext");
    EXPECT_TRUE(ShowsContent(text.screen));
    input_->Key("Escape");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 0; }));
    EXPECT_EQ(Keyboard()->profileModes[0], kRain);

    // "Reset now" resets without a backup, and the window shows the keyboard's new state.
    Click("btn_kb_restore_factory");
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Factory reset") == 1; }));
    Click("msgbtn_no");
    ASSERT_TRUE(WaitUntil([&] {
        const auto k = Keyboard();
        return k && k->profileModes[0] == 0;
    })) << "the keyboard was not reset";
    EXPECT_TRUE(WaitUntilGone("bar_mainled_speed_parent"))
        << WithScreen("the window still shows the mode from before the reset");
    ClickLabelled("Keys");
    EXPECT_TRUE(WaitUntil([&] {
        const QImage shot = Screen();
        return ColourDistance(MainColour(shot, a), MainColour(shot, s)) <= 8;
    })) << WithScreen("key A is still marked as assigned after the reset");
}

TEST_F(WindowScenario, StartWithTheDesktopWritesAnEntryThatStartsTheWindowInTheBackground) {
    ASSERT_TRUE(StartProgram());
    const std::filesystem::path entry =
        program_->configFolder() / "autostart" / "org.keylume.Keylume.desktop";
    // Chosen again it takes the entry away.
    ChooseFromMoreMenu(kStartWithTheDesktop);
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(entry); }))
        << WithScreen("no autostart entry");
    std::ifstream file(entry);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    const std::string exec = "Exec=" + program_->executable().string() + " --background";
    EXPECT_NE(text.find(exec), std::string::npos) << text;
    ChooseFromMoreMenu(kStartWithTheDesktop);
    EXPECT_TRUE(WaitUntil([&] { return !std::filesystem::exists(entry); }))
        << WithScreen("the entry stayed");

    // As the desktop starts it: out of the way, minimised on a desktop without a tray.
    program_->Stop();
    program_->Start({"--background", "--emulate"});
    // Minimised, the window is not viewable: every window of that name counts.
    auto iconic = [&] {
        for (const QString& id :
             QString::fromUtf8(RunOn(*desktop_, "xdotool", {"search", "--name", "^Keylume$"}))
                 .split('\n', Qt::SkipEmptyParts))
            if (WindowState(id) == "Iconic") return true;
        return false;
    };
    EXPECT_TRUE(WaitUntil(iconic)) << WithScreen(
        "started in the background, the window is not "
        "minimised");
    EXPECT_TRUE(MainWindowId().isEmpty()) << WithScreen("the window shows");
}

TEST_F(WindowScenario, TheLanguageChosenInTheMenuIsSavedAndShowsAtTheNextStart) {
    // The program folder's "config.xml" is the build tree's, linked: this run gets its own.
    const std::filesystem::path config = program_->programFolder() / "config.xml";
    const std::filesystem::path shipped = std::filesystem::read_symlink(config);
    std::filesystem::remove(config);
    std::filesystem::copy_file(shipped, config);
    ASSERT_TRUE(StartProgram());
    ASSERT_FALSE(a11y_->FindLabelled("Keys").empty());
    ChooseFromMoreMenu(kChinese);
    CloseMessageBox("Language", "starts again");
    pugi::xml_document saved;
    ASSERT_TRUE(saved.load_file(config.c_str()));
    const persist::ConfigContent content = persist::ReadConfigDocument(saved);
    EXPECT_EQ(content.language, L"cn");
    EXPECT_FALSE(content.funcKeys.empty()) << "the key lists were lost";

    program_->Stop();
    ASSERT_TRUE(StartProgram());
    EXPECT_TRUE(WaitUntil([&] { return !a11y_->FindLabelled("按键").empty(); }))
        << WithScreen("the window is not in Chinese after the restart");
}

TEST_F(WindowScenario, AnUpgradeProgramThatCannotStartIsToldAndTheProgramEndsWithAnError) {
    program_->Start({"--emulate=old-firmware"});
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled("Warning") == 1; }))
        << WithScreen("the old keyboard is not offered the upgrade");
    ASSERT_FALSE(a11y_->FindLabelled("Please update to the latest firmware to use").empty());
    input_->Key("Return");
    // No upgrade program is there: the user reads where it was looked for, until answering.
    const QString told =
        QString("Failed to start the upgrade exe:\n%1")
            .arg(QString::fromStdString(
                (program_->programFolder() / "keylume-firmware-upgrade").string()));
    EXPECT_TRUE(WaitUntil([&] { return !a11y_->FindLabelled(told).empty(); }))
        << WithScreen("the failed upgrade is not told");
    EXPECT_TRUE(program_->Running());
    input_->Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return !program_->Running(); })) << WithScreen("the program stays");
    EXPECT_EQ(program_->Stop(), 1);
}

}  // namespace
}  // namespace e2e
