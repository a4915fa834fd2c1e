#pragma once
// Turns the HID monitor's arrivals and removals into WM_DEVICECHANGE for a window, on the
// window's thread, as soon as the monitor's descriptor becomes readable.
#include <QSocketNotifier>
#include <memory>

#include "device/HidBackend.h"
#include "ui/WinDefs.h"

class DeviceChangeNotifier {
public:
    // A null monitor (no hot-plug on this system) sends nothing.
    DeviceChangeNotifier(std::unique_ptr<HidMonitor> monitor, SOUI::HWND window);
    ~DeviceChangeNotifier();
    DeviceChangeNotifier(const DeviceChangeNotifier&) = delete;
    DeviceChangeNotifier& operator=(const DeviceChangeNotifier&) = delete;

    bool IsListening() const { return m_notifier != nullptr; }
    // Hands every waiting event to the window; the window may be destroyed on the way.
    void Drain();

private:
    std::unique_ptr<HidMonitor> m_monitor;
    SOUI::HWND m_window;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
