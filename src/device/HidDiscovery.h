#pragma once

#include <string>
#include <vector>

#include "device/HidBackend.h"

// Paths of the present interfaces whose vendor is the keyboard's, whose product id is one of
// productIds[0..count) and whose interface number is exactly 3, in enumeration order. A null
// list or a count of 0 or less matches nothing.
std::vector<std::string> FindHidInterfaces(HidBackend& backend, const int* productIds, int count);
