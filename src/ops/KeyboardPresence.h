#pragma once
// Why the keyboard is or is not there, as the window would tell it.
#include "device/HidBackend.h"
#include "ops/KeyboardStatus.h"

struct Presence {
    KeyboardStatus::Presence presence = KeyboardStatus::Presence::Absent;
    int productId = 0;
    std::string openFailure;  // for NoPermission: why the system refused the open
};

// `connected`: whether the keyboard logic has the keyboard open.
Presence ProbePresence(HidBackend& backend, bool connected);
