#pragma once
// What WM_DEVICECHANGE carries: the event in wParam, a pointer to this header in lParam.
// The header lives only while the message is handled.
#include <string>

#include "ui/WinDefs.h"

constexpr SOUI::WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr SOUI::WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr int DBT_DEVTYP_DEVICEINTERFACE = 5;

struct DeviceBroadcast {
    int deviceType = DBT_DEVTYP_DEVICEINTERFACE;
    std::string interfacePath;
};
