#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "device/HidBackend.h"

// How a Linux hidraw node maps onto the interface paths the rest of the program works with.
// The node's name ("hidraw5") is the instance part of the path, so the path leads back to the
// node without asking the system again.

// "/dev/hidraw5" for a path whose instance is a hidraw node name, otherwise nothing. Anything
// else (another folder, "..", trailing text) is refused, so a path from an event can never
// open an arbitrary file.
std::optional<std::string> HidrawNodeOfPath(std::string_view path);

// Whether name is "hidraw" followed by decimal digits only.
bool IsHidrawName(std::string_view name);

// The interface path of a hidraw node, from its sysfs device path, e.g.
// /devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:1A2C:1514.0007/hidraw/hidraw5.
// The HID device's name gives vendor and product, the USB interface above it the interface
// number (left out for devices that are not on USB).
std::optional<std::string> HidrawPathFromDevpath(std::string_view devpath);

// The fields of one kernel uevent message: "action@devpath" followed by NUL-separated
// KEY=VALUE entries. A message that does not have this shape yields an empty map.
std::map<std::string, std::string> ParseUeventMessage(const char* message, std::size_t size);

// Turns an add or remove of a hidraw node into an event; other actions and subsystems, or an
// unreadable device path, give nothing. Paths seen at arrival are remembered by node name, so a
// removal still names its interface when its device path no longer reveals it.
class HidrawEventTranslator {
public:
    std::optional<HidEvent> Translate(std::string_view action, std::string_view subsystem,
                                      std::string_view devpath);

private:
    std::map<std::string, std::string, std::less<>> seen_;
};
