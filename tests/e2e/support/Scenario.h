#pragma once
// The frame of every scenario: a desktop of its own, the real program on it, real input, and
// checks of what the screen, the emulated keyboard and "macro.xml" hold. On a failure the
// screen is kept as a picture in the scenario's folder, named in the failure message.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "Accessibility.h"
#include "Desktop.h"
#include "ProgramRun.h"
#include "Screen.h"
#include "Wait.h"
#include "XInput.h"
#include "emulator/KeyboardState.h"
#include "persist/MacroDocument.h"
#include "records/CoordButtonInfo.h"

namespace e2e {

class Scenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The scenario's desktop: an X server with a window manager unless a scenario brings its
    // own, which may move folder_. Null after a failure, which it reports.
    virtual const Session* StartSession();
    // The size of the scenario's screen.
    virtual QSize ScreenSize() const { return {1280, 900}; }
    // Qt's scale of the program's windows: screen pixels per pixel of the layouts.
    virtual int ScaleFactor() const { return 1; }

    // Starts the program and waits for its main window with the keyboard read; false (with a
    // failure) when it never showed.
    [[nodiscard]] bool StartProgram(const QStringList& arguments = {"--emulate"});
    // Sets up the emulated keyboard's memory before the program starts.
    void PrepareKeyboard(const std::function<void(KeyboardState&)>& change);
    // Opens the drop-down list of a combo box and clicks the entry labelled `entry`.
    void ChooseFromList(const QString& combo, const QString& entry);

    // The named control once it is shown; fails the test when it does not appear.
    Control WaitForControl(const QString& name, Deadline limit = kUsualWait);
    // Waits until no shown control has this name.
    bool WaitUntilGone(const QString& name, Deadline limit = kUsualWait);
    // Clicks the middle of the named control (the index-th from the top when several show).
    void Click(const QString& name, int index = 0);
    // The screen rectangle of a key of a key picture, from its coordinates file.
    QRect KeyOnScreen(const QString& picture, const QString& keyName);
    void ClickKey(const QString& picture, const QString& keyName, int button = 1);
    // The key's entry in the picture's coordinates file (its index in the keyboard's tables).
    CoordButtonInfo KeyInfo(const QString& picture, const QString& keyName);
    // The key of the picture under a point of the screen; a key without a name when none.
    CoordButtonInfo KeyUnder(const QString& picture, QPoint screenPoint);
    // The main window's "more" menu, counted from 1 at the top.
    enum MoreMenuEntry : int {
        kCheckDevice = 1,
        kExportSettings,
        kImportSettings,
        kEnglish,
        kChinese,
        kProfilesByApplication,
        kStartWithTheDesktop,
    };
    // Chooses an entry of the "more" menu, whose popup does not reach the accessibility tree,
    // with the arrow keys.
    void ChooseFromMoreMenu(MoreMenuEntry entry);
    // Clicks the control a screen reader announces as `label` (a tab, a menu entry).
    void ClickLabelled(const QString& label);
    // Whether a region shows something besides its background (a row's text, an icon).
    bool ShowsContent(const QRect& region);

    // The screen, and a click at a point of it, in the places the accessibility tree gives.
    virtual QImage Screen();
    virtual void ClickAt(QPoint point, int button = 1);
    // Keys ("Return", "Down", "ctrl+a") and text typed on the keyboard, to the window in front.
    virtual void Key(const QString& keys);
    virtual void Type(const QString& text);
    // Saves the screen as NAME.png in the scenario folder and returns its path.
    std::string KeepScreen(const std::string& name);
    // A failure message that names the kept picture of the screen.
    std::string WithScreen(const std::string& what);

    // Every profile shows per-key colours, every key blue, so a painted key shows.
    void AllProfilesPerKey();
    // The colour of a key of the lighting picture in the keyboard's selected colour set.
    QColor KeyColour(const QString& name);
    bool KeysAre(const std::vector<QString>& keys, const QColor& colour);

    // The emulated keyboard's memory as last saved.
    std::optional<KeyboardState> Keyboard() const;
    std::string MacroFileText() const;
    // "macro.xml" as the program reads it.
    persist::MacroContent MacroFile() const;
    // Number of shown top-level windows of the program whose title is `title`.
    int WindowsTitled(const QString& title);
    // Answers the open file dialog by typing the path into its name field.
    void AnswerFileDialog(const QString& title, const std::filesystem::path& file);
    // Waits for the message box, checks that its text holds `says`, and closes it with Enter.
    void CloseMessageBox(const QString& title, const QString& says = {});

    std::filesystem::path folder_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<ProgramRun> program_;
    std::unique_ptr<Accessibility> a11y_;
    std::unique_ptr<XInput> input_;
    int pictures_ = 0;
};

}  // namespace e2e
