#pragma once

#include <cstdint>

// One device entry of the settings file; stored, never used for discovery.
struct UsbInfo {
    std::int32_t vid = 0;
    std::int32_t pid = 0;
    std::int32_t interface = 0;
    std::int32_t subdevice = 0;

    friend bool operator==(const UsbInfo&, const UsbInfo&) = default;
};
