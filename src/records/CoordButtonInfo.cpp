#include "records/CoordButtonInfo.h"

#include <tuple>

namespace {

auto comparedFields(const CoordButtonInfo& k) {
    return std::tie(k.id, k.value, k.name, k.rect, k.bground, k.fground, k.tip, k.checked, k.hover,
                    k.selected, k.disabled);
}

}  // namespace

bool operator==(const CoordButtonInfo& a, const CoordButtonInfo& b) {
    return comparedFields(a) == comparedFields(b);
}
