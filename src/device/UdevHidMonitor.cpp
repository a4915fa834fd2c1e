#include "device/UdevHidMonitor.h"

#include <libudev.h>
#include <unistd.h>

namespace {

bool UdevDaemonRuns() {
    return access("/run/udev/control", F_OK) == 0;
}

std::string_view Text(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

std::unique_ptr<UdevHidMonitor> UdevHidMonitor::Create() {
    udev* context = udev_new();
    if (context == nullptr) return nullptr;
    udev_monitor* monitor =
        udev_monitor_new_from_netlink(context, UdevDaemonRuns() ? "udev" : "kernel");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevHidMonitor>(new UdevHidMonitor(context, monitor));
}

UdevHidMonitor::UdevHidMonitor(udev* context, udev_monitor* monitor)
    : context_(context), monitor_(monitor) {}

UdevHidMonitor::~UdevHidMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

int UdevHidMonitor::Fd() const {
    return udev_monitor_get_fd(monitor_);
}

std::optional<HidEvent> UdevHidMonitor::Next() {
    // The socket does not block; messages of no interest are skipped here.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        std::optional<HidEvent> event = translator_.Translate(
            Text(udev_device_get_action(device)), Text(udev_device_get_subsystem(device)),
            Text(udev_device_get_devpath(device)));
        udev_device_unref(device);
        if (event) return event;
    }
    return std::nullopt;
}
