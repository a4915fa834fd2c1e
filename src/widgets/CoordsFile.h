#pragma once
// Reads a key coordinates file: a "positions" element with one child per key, in key order.
#include <string>
#include <vector>

#include "records/CoordButtonInfo.h"

namespace SOUI {

// The keys of the file, or none when it is missing, does not parse or has no "positions".
std::vector<CoordButtonInfo> ReadCoordsFile(const std::string& path);

}  // namespace SOUI
