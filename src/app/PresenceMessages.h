#pragma once
// The texts the user sees about the keyboard's presence; the translations use them as keys.
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kInsertDeviceText = "Please insert USB device";
// What "Check device" says when the keyboard is there.
inline constexpr const char* kCheckDeviceCaption = "Check device";
inline constexpr const char* kConnectedText =
    "The keyboard is connected and its firmware is up to date.";
inline constexpr const char* kUpdateFirmwareText = "Please update to the latest firmware to use";
inline constexpr const char* kUpgradeFailedText = "Failed to start the upgrade exe";
inline constexpr const char* kNoPermissionText =
    "The keyboard is connected but cannot be opened. Install the udev rule 60-keylume.rules "
    "and plug the keyboard in again.";
// The same with the reason the system gave in place of %1.
inline constexpr const char* kCannotOpenText =
    "The keyboard is connected but cannot be opened: %1. Install the udev rule 60-keylume.rules "
    "and plug the keyboard in again; \"keylume diagnose\" tells more.";
