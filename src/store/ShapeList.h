#pragma once

#include <list>
#include <optional>
#include <vector>

#include "store/ShapeBody.h"

// A shape whose element is a container C: it holds exactly one container, element 0, and the
// whole collection travels as one value.
template <class C, int32_t ID>
class ShapeListOrVector : public ShapeBody<C, ID, 0> {
    using Body = ShapeBody<C, ID, 0>;

public:
    ~ShapeListOrVector() override { this->leave(); }

    ShapeListOrVector& operator=(const ShapeListOrVector& other) {
        if (this != &other) this->copyValue(other);
        return *this;
    }

    bool operator==(const ShapeListOrVector& other) const { return this->sameValue(other); }

    // Slot 10: the current container as source changes nothing, and the index is kept as is.
    void store(const C* src, uint32_t n, bool fill) override;
    // Slot 14: containers are equal with equal sizes and equal items in order.
    bool equals(const C* src, uint32_t n) const override { return Body::equals(src, n); }

protected:
    // Only the final classes join: the dispatcher may call this shape's virtual operations as
    // soon as it is in the group, so its construction must be complete by then.
    explicit ShapeListOrVector(const char* name) : Body(name) {}

    // Starts with one empty container, or adopts the group's value as ShapeType does.
    void joinWithEmptyOrGroupValue(bool keepInitial) {
        const C empty;
        if (this->isPrivate()) {
            this->store(&empty, 1, false);
            return;
        }
        this->join([&](const ShapeBase* first) {
            if (first && !keepInitial) {
                this->store(static_cast<const C*>(first->rawData()), first->count, false);
            } else {
                this->store(&empty, 1, false);
            }
        });
    }

    static const char* nameOfCopy(const ShapeListOrVector& other) {
        return other.name == shapeTypeName<C>() ? nullptr : other.name;
    }
};

template <class C, int32_t ID>
void ShapeListOrVector<C, ID>::store(const C* src, uint32_t n, bool fill) {
    C* elements = this->elements_.get();
    if (src && elements && this->selection.index < this->count &&
        src == elements + this->selection.index)
        return;
    if (n == 0) {
        this->replaceElements(nullptr, 0);
    } else if (!src) {
        if (n != this->count) this->replaceElements(this->makeElements(n), n);
    } else if (fill) {
        const C value = src[0];
        auto fresh = this->makeElements(n);
        for (uint32_t i = 0; i < n; ++i) fresh[i] = value;
        this->replaceElements(std::move(fresh), n);
    } else if (n == this->count) {
        // Assignment keeps a container that is its own source intact.
        for (uint32_t i = 0; i < n; ++i) elements[i] = src[i];
    } else {
        auto fresh = this->makeElements(n);
        for (uint32_t i = 0; i < n; ++i) fresh[i] = src[i];
        this->replaceElements(std::move(fresh), n);
    }
}

// A shape holding one doubly linked list of T, edited item by item.
template <class T, int32_t ID>
class ShapeList final : public ShapeListOrVector<std::list<T>, ID> {
    using Base = ShapeListOrVector<std::list<T>, ID>;

public:
    explicit ShapeList(const char* name = nullptr, bool keepInitial = false) : Base(name) {
        this->joinWithEmptyOrGroupValue(keepInitial);
    }
    ShapeList(const ShapeList& other) : Base(Base::nameOfCopy(other)) {
        this->joinWithEmptyOrGroupValue(true);
        this->copyValue(other);
    }
    ~ShapeList() override { this->leave(); }
    ShapeList& operator=(const ShapeList& other) = default;

    // Throws ShapeException when there is no container or pos is past the end.
    T& item(uint32_t pos) {
        T* found = findItem(pos);
        if (!found)
            ShapeException::raise(L"Out of range( array postion \"%d\", access index \"%d\"", pos,
                                  0);
        return *found;
    }
    // Null when there is no container or pos is past the end.
    T* findItem(uint32_t pos) {
        auto it = position(pos);
        return it ? &**it : nullptr;
    }

    // Each edits element 0 and then publishes with fire(0, 7); false (and nothing published)
    // when the position is impossible or the shape holds no container.
    bool push_back(const T& item) {
        if (!list()) return false;
        list()->push_back(item);
        return published();
    }
    bool moveUp(uint32_t pos) {
        if (pos == 0) return false;
        return swapWithNext(pos - 1);
    }
    bool moveDown(uint32_t pos) { return swapWithNext(pos); }
    bool erase(uint32_t pos) {
        auto it = position(pos);
        if (!it) return false;
        list()->erase(*it);
        return published();
    }

private:
    std::list<T>* list() { return this->count ? this->data() : nullptr; }
    std::optional<typename std::list<T>::iterator> position(uint64_t pos) {
        std::list<T>* items = list();
        if (!items || pos >= items->size()) return std::nullopt;
        return std::next(items->begin(), static_cast<long>(pos));
    }
    bool swapWithNext(uint32_t pos) {
        auto first = position(pos);
        if (!first || !position(uint64_t{pos} + 1)) return false;
        std::swap(**first, *std::next(*first));
        return published();
    }
    bool published() {
        this->fire(0, SHAPE_SELF | SHAPE_COPY | SHAPE_HOOK);
        return true;
    }
};

// A shape holding one vector of T; read it through current() or data() and replace it with
// the publishing operations.
template <class T, int32_t ID>
class ShapeVector final : public ShapeListOrVector<std::vector<T>, ID> {
    using Base = ShapeListOrVector<std::vector<T>, ID>;

public:
    explicit ShapeVector(const char* name = nullptr, bool keepInitial = false) : Base(name) {
        this->joinWithEmptyOrGroupValue(keepInitial);
    }
    ShapeVector(const ShapeVector& other) : Base(Base::nameOfCopy(other)) {
        this->joinWithEmptyOrGroupValue(true);
        this->copyValue(other);
    }
    ~ShapeVector() override { this->leave(); }
    ShapeVector& operator=(const ShapeVector& other) = default;
};
