#pragma once
// Says when the desktop has a tray for the program's icon. Qt decides once per process, the
// first time it is asked, whether a status notifier tray is on the session bus, and never
// looks again: on Wayland, where that is the only tray, the icon is made only once a tray
// host is registered, however late it comes. On X11 Qt follows its own tray: at once.
#include <QDBusServiceWatcher>
#include <QTimer>
#include <functional>

class TrayHostWatch {
public:
    explicit TrayHostWatch(std::function<void()> trayThere);
    TrayHostWatch(const TrayHostWatch&) = delete;
    TrayHostWatch& operator=(const TrayHostWatch&) = delete;

    // Whether a status notifier host is registered on the session bus now.
    static bool HostRegistered();

private:
    void Check();

    std::function<void()> m_trayThere;
    QDBusServiceWatcher m_watcher;
    QTimer m_poll;
    int m_polls = 0;
};
