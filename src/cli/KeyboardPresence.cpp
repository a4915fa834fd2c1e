#include "cli/KeyboardPresence.h"

#include "device/HidDiscovery.h"
#include "device/HidPath.h"

Presence ProbePresence(HidBackend& backend, bool connected) {
    const int keyboard = kKeyboardProductId;
    if (connected) return {KeyboardStatus::Presence::Connected, keyboard};
    for (int productId : kOldFirmwareProductIds)
        if (!FindHidInterfaces(backend, &productId, 1).empty())
            return {KeyboardStatus::Presence::OldFirmware, productId};
    // Listed but not opened: on Linux the access rule is missing.
    if (!FindHidInterfaces(backend, &keyboard, 1).empty())
        return {KeyboardStatus::Presence::NoPermission, keyboard};
    return {};
}
