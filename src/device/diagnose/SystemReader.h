#pragma once
// Fills the description of this system: the keyboard's hidraw interfaces from udev, their nodes
// from the file system, the rule files and logind's sessions. Opens each node once for reading
// and once for writing and closes it at once; sends nothing.
#include <string>
#include <vector>

#include "device/diagnose/SystemFacts.h"

struct SystemLocations {
    std::vector<std::string> ruleFolders;
    std::string sessionFolder;

    static SystemLocations Default();
};

SystemFacts ReadSystemFacts(const SystemLocations& locations);

// What the file system says about one node, and what opening it gives. Used for every listed
// interface; a missing node gives known = false and ENOENT.
NodeAccess ReadNodeAccess(const std::string& node);
OpenResult TryOpen(const std::string& node, bool write);

// The user this program runs as, with the sessions in sessionFolder.
UserFacts ReadUserFacts(const std::string& sessionFolder);
