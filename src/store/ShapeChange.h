#pragma once

#include <cstdint>
#include <memory>

#include "store/ShapeBase.h"

// One published change on its way to the members of a group: queued to the dispatcher, or
// carried to a window by the UI layer's shape message. Deleting it releases the snapshot.
struct ShapeChange {
    ShapeBase* source;                    // the publishing shape, or the target of a window post
    std::unique_ptr<ShapeBase> snapshot;  // the value at the moment of publishing
    int32_t arg;
    uint32_t oldCount;
    uint32_t oldIndex;
    int32_t flags;
    ShapeGroup* group = nullptr;  // the source's group, set by the store
    uint64_t serial = 0;          // the source's membership, set by the store
};
