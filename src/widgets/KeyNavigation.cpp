#include "widgets/KeyNavigation.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace SOUI {
namespace {

// Twice the centre, so that halves stay whole numbers.
struct Centre {
    std::int64_t x;
    std::int64_t y;
};

Centre CentreOf(const CoordRect& r) {
    return {std::int64_t{r.left} + r.right, std::int64_t{r.top} + r.bottom};
}

}  // namespace

int NeighbourKey(const std::vector<CoordButtonInfo>& keys, int from, int dx, int dy) {
    if (from < 0 || from >= static_cast<int>(keys.size())) return from;
    const Centre origin = CentreOf(keys[static_cast<std::size_t>(from)].rect);
    int best = from;
    std::int64_t bestCost = std::numeric_limits<std::int64_t>::max();
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        const CoordRect& rect = keys[static_cast<std::size_t>(i)].rect;
        if (i == from || rect.right <= rect.left || rect.bottom <= rect.top) continue;
        const Centre c = CentreOf(rect);
        const std::int64_t along = (c.x - origin.x) * dx + (c.y - origin.y) * dy;
        if (along <= 0) continue;
        const std::int64_t across = std::llabs((c.x - origin.x) * dy + (c.y - origin.y) * dx);
        const std::int64_t cost = along + 2 * across;
        if (cost < bestCost) {
            bestCost = cost;
            best = i;
        }
    }
    return best;
}

}  // namespace SOUI
