#pragma once
// The keyboard panel under test: the real layouts of the main window, a host window that
// offers every widget event to the panel as the main window does, and the keyboard logic
// over an emulated keyboard.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "device/DeviceCommand.h"
#include "device/DeviceLink.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "logic/KeyboardLogic.h"
#include "screens/KeyboardUi.h"
#include "ui/SOUI.h"
#include "widgets/CoordButtonImage.h"

namespace paneltest {

// The main window's layout with the panel bound, as the main window binds it.
class PanelHost : public SOUI::SHostWnd {
public:
    PanelHost() : SOUI::SHostWnd(QStringLiteral("LAYOUT:XML_MAINWND")) {}
    KeyboardUi ui;

protected:
    bool OnEvent(SOUI::EventArgs* e) override { return ui.OnEvent(e) || SHostWnd::OnEvent(e); }
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a translation ("lang_en", "lang_cn") before the window is built.
    void UseLanguage(const char* language);
    // Builds the window, binds the panel and connects the keyboard logic.
    void Start();
    // Waits for the store and runs posted messages until both are quiet.
    static void Settle();

    template <class T>
    T* Find(const char* name) const {
        return host->FindChildByName2<T>(QString::fromUtf8(name));
    }
    SOUI::SWindow* Widget(const char* name) const { return Find<SOUI::SWindow>(name); }
    SOUI::CoordButtonImage* LedKeys() const;
    SOUI::CoordButtonImage* MacroKeys() const;
    // Selects an entry as the user would and lets the change travel.
    void Choose(const char* combo, int entry);
    void Slide(const char* slider, int position);
    void Click(const char* name);
    // Checks a swatch of one of the two colour panels as the user would.
    void PickSwatch(const char* panel, const char* swatch);
    // Shows a page of "tab_main" (0 lighting, 1 keys).
    void ShowPage(int page);
    // A click on the key at `position` of a key picture, as the mouse gives it.
    void ClickKey(SOUI::CoordButtonImage* picture, int position);
    // Visible on screen: the widget and every parent shown.
    bool Shown(const char* name) const;

    // Reports with the command that reached the keyboard, in order; the log is cleared by
    // ForgetReports.
    std::vector<FeaturePacket> SentReports(DeviceCommand command) const;
    void ForgetReports() const;
    VirtualKeyboard& Keyboard() const { return backend->Keyboard(); }
    // The first mode of the keyboard whose flags are exactly `flags`, or -1.
    int ModeWithFlags(std::uint16_t flags) const;
    // Gives the keyboard a mode with these flags at `mode` (before Start).
    void SetModeFlags(int mode, std::uint16_t flags);

    std::unique_ptr<SOUI::SApplication> app;
    std::shared_ptr<EmulatedBackend> backend;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<PanelHost> host;
    std::unique_ptr<KeyboardLogic> logic;
};

}  // namespace paneltest
