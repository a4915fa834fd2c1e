#pragma once
// Moving between the keys of a keyboard picture with the arrow keys.
#include <vector>

#include "records/CoordButtonInfo.h"

namespace SOUI {

// The key to go to from keys[from] in the direction (dx, dy), one of them 0 and the other
// 1 or -1: among the keys whose centre lies that way, the nearest, where being off the line
// weighs twice as much as the distance along it. `from` itself when there is none.
int NeighbourKey(const std::vector<CoordButtonInfo>& keys, int from, int dx, int dy);

}  // namespace SOUI
