#pragma once
// The program's main window: owns the connection to the keyboard, its screens and the
// keyboard logic, decides at start whether the program can run, follows plug and unplug,
// and carries the shape changes of worker threads to the UI thread.
#include <QString>
#include <memory>

#include "app/DeviceChangeNotifier.h"
#include "app/LanguageChoice.h"
#include "app/MainPanel.h"
#include "app/SettingsBackup.h"
#include "app/TrayHostWatch.h"
#include "device/DeviceLink.h"
#include "logic/KeyboardLogic.h"
#include "ui/HostWnd.h"
#include "ui/WidgetIds.h"

namespace SOUI {
class SShellNotifyIcon;
}
class FrontSwitch;

class CMainDlg : public SOUI::SHostWnd {
public:
    static constexpr int kMoreButtonId = SOUI::kMoreButtonId;
    static constexpr int kSyncLightId = SOUI::kSyncLightId;
    static constexpr int kTrayIconId = 110;
    static constexpr int kCmdCheckDevice = 1;
    static constexpr int kCmdExportSettings = 2;
    static constexpr int kCmdImportSettings = 3;
    static constexpr int kCmdExit = 6;
    static constexpr int kCmdEnglish = 7;
    static constexpr int kCmdChinese = 8;
    static constexpr int kCmdStartWithDesktop = 10;
    static constexpr int kCmdAppRules = 9;

    CMainDlg(QString layoutName, std::shared_ptr<HidBackend> backend);
    ~CMainDlg() override;

    SOUI::LRESULT OnInitDialog();
    void CheckDevicePresence();
    void OfferFirmwareUpgrade();
    void ShowMoreMenu();
    // Started with the desktop: in the tray, or minimised where there is none.
    void ShowInBackground();
    // "Start with the desktop" starts this program again, with this emulation (empty: none).
    void UseAutostart(const QString& emulation) { m_autostartEmulation = emulation; }
    void OnDeviceChange(SOUI::WPARAM event, SOUI::LPARAM broadcast);
    // Export and import of the keyboard's settings through `keyboard`, which must outlive the
    // window; without it the menu's entries do nothing.
    void UseSettingsBackup(KeyboardEndpoint& keyboard);
    // The menu's languages are saved through `choice`; without it they do nothing.
    void UseLanguageChoice(std::unique_ptr<LanguageChoice> choice) {
        m_language = std::move(choice);
    }

    // The rules of applications the menu's entry opens; without them it does nothing.
    void UseRules(FrontSwitch* rules) { m_rules = rules; }

    DeviceLink& Link() { return m_link; }
    KeyboardLogic* Logic() const { return m_logic.get(); }
    bool KeyboardOpen() const;
    // The folder of the program, which decides where the upgrade program is.
    QString ProgramFolder() const;
    // What the program ends with once the window is gone: 1 when the upgrade program could not
    // be started, else 0.
    int ExitCode() const { return m_exitCode; }

protected:
    bool ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                              SOUI::LRESULT& result) override;
    bool OnEvent(SOUI::EventArgs* e) override;

private:
    bool OnCommand(SOUI::WPARAM wParam);
    // Opens the first old-firmware interface of one product id on the temporary link.
    static bool OpenOldFirmware(DeviceLink& link, int productId);
    // A keyboard or old-firmware device is listed although none could be opened.
    bool KeyboardListedButClosed() const;
    // Tells the user in the tray's balloon, or where there is no tray in a message box, and
    // ends the window once the user could read it.
    void TellUpgradeFailed(const QString& program);
    QString InstanceName() const;
    SOUI::SShellNotifyIcon* Tray() const;
    bool InTray() const;
    // "Hide" hides to the tray; without one it minimises, which a Wayland compositor may
    // ignore (tiling ones do) without Qt knowing: there the button is off until a tray comes.
    void UpdateHideButton();

    std::shared_ptr<HidBackend> m_backend;
    DeviceLink m_link;
    std::unique_ptr<MainPanel> m_panel;
    std::unique_ptr<KeyboardLogic> m_logic;
    std::unique_ptr<SettingsBackup> m_backup;
    std::unique_ptr<LanguageChoice> m_language;
    QString m_autostartEmulation;
    std::unique_ptr<DeviceChangeNotifier> m_deviceChanges;
    std::unique_ptr<TrayHostWatch> m_trayWatch;
    FrontSwitch* m_rules = nullptr;
    int m_exitCode = 0;
};
