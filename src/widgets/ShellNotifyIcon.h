#pragma once
// "shellnotifyicon": the program's icon in the system tray, put there by Install() once the
// host knows a tray is there. Clicks on it are first offered to the host window's message
// handler as the tray callback message; unhandled, a left click hides or shows the host
// window. The "menu" resource belongs to the icon: the tray opens it at the icon (a menu the
// program opened itself would land wherever the pointer was last seen, or on Wayland as a
// window of its own), and its commands reach the host as WM_COMMAND. Where the desktop has no
// tray nothing is shown and nothing fails.
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <vector>

#include "ui/Menu.h"
#include "ui/SWindow.h"

namespace SOUI {

class SShellNotifyIcon : public SWindow {
    SOUI_CLASS_NAME(SWindow, "shellnotifyicon")
public:
    static constexpr UINT kIconId = 100;
    static constexpr UINT kCallbackMessage = 2135;
    static constexpr int kMaxTipLength = 127;

    SShellNotifyIcon();
    ~SShellNotifyIcon() override;
    bool SetAttribute(const QString& name, const QString& value) override;
    void OnCreated() override;
    // Makes the icon with its menu and shows it when the desktop has a tray. Once is enough.
    void Install();

    // The tray callback: lParam carries the mouse message (WM_LBUTTONDOWN, WM_RBUTTONDOWN).
    void OnTrayCallback(LPARAM mouseMessage);
    // A balloon on the icon; nothing without a tray.
    void ShowBalloon(const QString& text, const QString& title, int timeoutMs);
    // One step of the icon animation: past the last icon it restarts at startframe.
    void AnimateStep();
    void StartAnimation() { m_animTimer.start(m_duration); }
    void StopAnimation() { m_animTimer.stop(); }

    int IconCount() const { return static_cast<int>(m_icons.size()); }
    int DefaultIconIndex() const { return m_defIconIndex; }
    int NextFrame() const { return m_nextFrame; }
    // The icon now shown: its index in the list, or -1 for the program icon.
    int ShownIconIndex() const { return m_shownIndex; }
    QString TipText() const { return m_tip; }
    QString MenuName() const { return m_menuName; }
    MenuKind GetMenuKind() const { return m_menuKind; }
    bool IsInTray() const { return m_tray && m_tray->isVisible(); }
    // The menu given to the tray; null before Install() or without a menu resource.
    QMenu* ContextMenu() const { return m_menu ? m_menu->GetQMenu() : nullptr; }

private:
    void ShowIcon(int index);
    void LoadMenu();

    std::vector<QIcon> m_icons;
    QString m_tip;
    QString m_menuName;
    MenuKind m_menuKind = MenuKind::None;
    int m_defIconIndex = 0;
    int m_startFrame = 1;
    int m_duration = 200;
    int m_nextFrame = 0;
    int m_shownIndex = -1;
    std::unique_ptr<SMenuBase> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    QTimer m_animTimer;
};

}  // namespace SOUI
