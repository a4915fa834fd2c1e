#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Identity of the keyboard and of the HID device interface class.
inline constexpr int kKeyboardVendorId = 0x1A2C;
inline constexpr int kKeyboardProductId = 0x1514;
inline constexpr int kOldFirmwareProductIds[] = {0x1511, 0x1512};
inline constexpr int kKeyboardInterface = 3;
inline constexpr const char* kHidInterfaceClassGuid = "4D1E55B2-F16F-11CF-88CB-001111000030";

// What an interface path tells about its device; -1 for every part the path does not carry.
struct HidPathInfo {
    int vendorId = -1;
    int productId = -1;
    int revision = -1;
    int interfaceNumber = -1;
    int collection = -1;

    friend bool operator==(const HidPathInfo&, const HidPathInfo&) = default;
};

// Searches the path (case-insensitively) for "hid#vid_XXXX&pid_XXXX[&rev_XXXX][&mi_XX][&colXX]".
// Returns whether it was found; info is filled either way.
bool ParseHidPath(std::string_view path, HidPathInfo& info);

// Whether a path named by a hot-plug event is the keyboard's feature interface: vendor and
// product match, the interface is 3 or not given, and the path names no collection.
bool IsKeyboardPath(std::string_view path);

// Builds an interface path in the form every backend presents:
// \\?\hid#vid_1a2c&pid_1514&mi_03#<instance>#{4d1e55b2-...}. interfaceNumber and collection
// are left out when negative.
std::string MakeHidInterfacePath(int vendorId, int productId, int interfaceNumber, int collection,
                                 std::string_view instance);

// The instance part of such a path (between its second and third '#'), or empty.
std::string_view HidPathInstance(std::string_view path);
