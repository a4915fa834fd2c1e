#pragma once

#include "store/ShapeBody.h"

// The shape class holders build. An id of 0 or more (or a name) makes it a member of the group
// (id, name, element type); a negative id without a name keeps it private.
template <class T, int32_t ID, uint32_t COUNT, int ZERO>
class ShapeType final : public ShapeBody<T, ID, ZERO> {
    using Body = ShapeBody<T, ID, ZERO>;

public:
    // Without keepInitial a new member adopts the elements and count of the group's first
    // member (its own index stays 0); otherwise, and for private shapes, it stores `count`
    // elements from `initial` (made without a source when `initial` is null).
    explicit ShapeType(const char* name = nullptr, const T* initial = nullptr,
                       uint32_t count = COUNT, bool keepInitial = false)
        : Body(name) {
        if (this->isPrivate()) {
            this->store(initial, count, false);
            return;
        }
        this->join([&](const ShapeBase* first) {
            if (first && !keepInitial) {
                this->store(static_cast<const T*>(first->rawData()), first->count, false);
            } else {
                this->store(initial, count, false);
            }
        });
    }

    // A copy is a new shape of the same group holding the same value and index.
    ShapeType(const ShapeType& other)
        : ShapeType(other.name == shapeTypeName<T>() ? nullptr : other.name, other.data(),
                    other.count, true) {
        this->selection.index = other.selection.index;
        this->clampIndex();
    }

    ~ShapeType() override { this->leave(); }

    // Copies value and index; publishes nothing.
    ShapeType& operator=(const ShapeType& other) {
        if (this != &other) this->copyValue(other);
        return *this;
    }

    // Equal when index, count and all elements are equal (shapes as elements of shapes).
    bool operator==(const ShapeType& other) const { return this->sameValue(other); }

    // Appends a copy of v; the index is kept and nothing is published.
    void push_back(const T& v) { this->append(&v, 1); }
};
