#include "ops/KeyboardPresence.h"

#include "device/HidDiscovery.h"
#include "device/HidPath.h"

namespace {

// Opens the interface once for writing, as the keyboard logic does first, to learn the reason.
std::string OpenFailureOf(HidBackend& backend, const std::string& path) {
    backend.ForgetFailure();
    const HidHandle handle = backend.Open(path, HidAccess::Write);
    if (handle != 0 && handle != kInvalidHidHandle) {
        backend.Close(handle);
        return {};
    }
    return backend.LastFailure().Describe();
}

}  // namespace

Presence ProbePresence(HidBackend& backend, bool connected) {
    const int keyboard = kKeyboardProductId;
    if (connected) return {KeyboardStatus::Presence::Connected, keyboard, {}};
    for (int productId : kOldFirmwareProductIds)
        if (!FindHidInterfaces(backend, &productId, 1).empty())
            return {KeyboardStatus::Presence::OldFirmware, productId, {}};
    // Listed but not opened: on Linux the access rule is missing.
    const std::vector<std::string> listed = FindHidInterfaces(backend, &keyboard, 1);
    if (!listed.empty())
        return {KeyboardStatus::Presence::NoPermission, keyboard,
                OpenFailureOf(backend, listed.front())};
    return {};
}
