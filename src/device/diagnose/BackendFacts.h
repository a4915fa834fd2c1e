#pragma once
// The parts of the description a HID backend can give: the interfaces of an emulated system,
// and the information report of the configuration interface on any system.
#include <memory>

#include "device/HidBackend.h"
#include "device/diagnose/SystemFacts.h"

// The vendor's interfaces as the backend lists them, each opened once for reading and once
// for writing and closed again. No nodes, rules or sessions take part.
SystemFacts EmulatedSystemFacts(HidBackend& backend);

// Reads the information report from the configuration interface (the keyboard's interface 3)
// when the facts say it opens for reading and writing; otherwise leaves info unattempted.
void ReadInformationInto(SystemFacts& facts, const std::shared_ptr<HidBackend>& backend);
