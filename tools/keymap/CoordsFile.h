#pragma once

#include <string>
#include <vector>

#include "KeyboardLayout.h"

// Writes the key coordinates file of a picture: element "positions" with one
// "key" element per key in key order (id and index = position, value = the
// key code, name = the key table name, rect = "x,y,w,h" in picture pixels).
// Returns false when the file cannot be written.
bool WriteCoordsFile(const std::string& path, const std::vector<KeyPlace>& keys);
