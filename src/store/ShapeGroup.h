#pragma once

#include <cstdint>
#include <list>

class ShapeBase;

// One member of a group. A member that leaves is marked (shape null) and its entry stays
// while a delivery still holds it (pins), so that a group walk never loses its place.
struct ShapeMember {
    ShapeBase* shape;
    uint64_t serial;  // unique per membership, so a new shape at a freed address is not taken
                      // for the old one
    int pins = 0;
};

// The members of one (id, name, element type), in order of joining. Groups are never removed.
struct ShapeGroup {
    std::list<ShapeMember> members;
};
