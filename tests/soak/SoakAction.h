#pragma once
// One kind of random user action, with how often it comes up relative to the others.
#include <functional>
#include <random>
#include <vector>

#include "SoakRig.h"

struct SoakAction {
    const char* name;
    int weight;
    std::function<void()> run;
};

// The actions on the main window's lighting and key pages.
std::vector<SoakAction> PanelActions(SoakRig& rig, std::mt19937& random);
// Opening the macro editor from the key picture and working in it.
std::vector<SoakAction> EditorActions(SoakRig& rig, std::mt19937& random);
// Unplugging and replugging the keyboard, and reports that fail.
std::vector<SoakAction> DeviceActions(SoakRig& rig, std::mt19937& random);
