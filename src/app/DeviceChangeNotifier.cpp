#include "app/DeviceChangeNotifier.h"

#include "app/DeviceBroadcast.h"
#include "ui/HostWnd.h"

DeviceChangeNotifier::DeviceChangeNotifier(std::unique_ptr<HidMonitor> monitor, SOUI::HWND window)
    : m_monitor(std::move(monitor)), m_window(window) {
    if (!m_monitor || m_monitor->Fd() < 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(m_monitor->Fd(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { Drain(); });
}

DeviceChangeNotifier::~DeviceChangeNotifier() = default;

void DeviceChangeNotifier::Drain() {
    if (!m_monitor) return;
    while (std::optional<HidEvent> event = m_monitor->Next()) {
        SOUI::SHostWnd* host = SOUI::SHostWnd::FromHandle(m_window);
        if (!host) return;
        DeviceBroadcast broadcast;
        broadcast.interfacePath = event->path;
        const SOUI::WPARAM code =
            event->kind == HidEvent::Kind::Arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
        // Sent, not posted: the header must outlive the handling.
        host->SendMessage(SOUI::WM_DEVICECHANGE, code, reinterpret_cast<SOUI::LPARAM>(&broadcast));
    }
}
