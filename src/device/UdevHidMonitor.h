#pragma once

#include <memory>

#include "device/HidBackend.h"
#include "device/HidrawIdentity.h"

struct udev;
struct udev_monitor;

// Hot-plug of hidraw nodes through libudev. Listens to the udev daemon's events when one runs,
// otherwise (as in containers) to the kernel's own netlink source.
class UdevHidMonitor : public HidMonitor {
public:
    // nullptr when no monitor can be set up.
    static std::unique_ptr<UdevHidMonitor> Create();
    ~UdevHidMonitor() override;

    int Fd() const override;
    std::optional<HidEvent> Next() override;

private:
    UdevHidMonitor(udev* context, udev_monitor* monitor);

    udev* context_;
    udev_monitor* monitor_;
    HidrawEventTranslator translator_;
};
