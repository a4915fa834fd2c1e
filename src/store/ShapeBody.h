#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <typeinfo>

#include "store/ShapeBase.h"
#include "store/ShapeException.h"

// The name of a shape built without one: one constant per element type.
template <class T>
const char* shapeTypeName() {
    return typeid(T).name();
}

// Element storage and the 25 virtual operations for element type T. Instances made directly
// are bare snapshots (clone); ShapeType and ShapeListOrVector are the classes holders build.
// The value a ZERO shape gives an element made without a source. Records whose default
// construction is not all zeros specialise it.
template <class T>
struct ShapeZeroValue {
    static T make() { return T(); }
};

template <class T, int32_t ID, int ZERO>
class ShapeBody : public ShapeBase {
public:
    using value_type = T;
    using Hook = std::function<void(int id, const T* data, uint32_t count, uint32_t oldCount,
                                    uint32_t index, uint32_t oldIndex, int arg)>;

    explicit ShapeBody(const char* name = nullptr)
        : ShapeBase(name && *name ? name : shapeTypeName<T>(), name && *name ? 0 : ID, typeid(T)) {}
    ~ShapeBody() override = default;

    // Slots 1 to 9.
    void* rawData() const override { return elements_.get(); }
    int32_t& hold() override { return holdFlag_; }
    bool apply(const ShapeBase* src, uint32_t oldCount, uint32_t oldIndex, int arg,
               int flags) override;
    ShapeBase* clone(const ShapeBase* src = nullptr) const override;
    void post(ShapeBase* snapshot, uint32_t oldCount, uint32_t oldIndex, int arg,
              int flags) override;
    void fire(int arg, int flags) override { post(clone(), count, selection.index, arg, flags); }
    void fireAll(int arg, bool force) override { fire(arg, shapeFlags(true, force)); }
    void fireSelf(int arg, SelfDelivery delivery) override;
    void fireOthers(int arg, bool force) override { fire(arg, shapeFlags(false, force)); }

    // Slots 10 to 24.
    virtual void store(const T* src, uint32_t n, bool fill);
    virtual void setCurrent(const T* v);
    virtual void appendCopies(const T* v, uint32_t n);
    virtual void append(const T* src, uint32_t n);
    virtual bool equals(const T* src, uint32_t n) const;
    virtual bool allEqual(const T* v, uint32_t n) const;
    virtual bool currentEquals(const T* v) const;
    virtual void set(const T* v, int arg, int flags);
    virtual void set(T v, int arg, bool self, bool force) { set(&v, arg, shapeFlags(self, force)); }
    virtual void set(const T* v, int arg, bool self, bool force) {
        set(v, arg, shapeFlags(self, force));
    }
    virtual void assign(const T* src, uint32_t n, int arg, int flags);
    virtual void fill(const T* v, uint32_t n, int arg, int flags);
    virtual void fill(T v, uint32_t n, int arg, bool self, bool force) {
        fill(&v, n, arg, shapeFlags(self, force));
    }
    virtual void assign(const T* src, uint32_t n, int arg, bool self, bool force) {
        assign(src, n, arg, shapeFlags(self, force));
    }
    virtual void fill(const T* v, uint32_t n, int arg, bool self, bool force) {
        fill(v, n, arg, shapeFlags(self, force));
    }

    T* data() { return elements_.get(); }
    const T* data() const { return elements_.get(); }

    // elements[index]; throws ShapeException when index is not below count.
    T& current() {
        checkCurrent();
        return elements_[selection.index];
    }
    const T& current() const {
        checkCurrent();
        return elements_[selection.index];
    }

    // Installs the hook, replacing any earlier one: `method` runs on `owner` when a change
    // reaches this shape. The owner is also the key for attachWindow.
    template <class O, class C, class R>
    void bind(O* owner,
              R (C::*method)(int, const T*, uint32_t, uint32_t, uint32_t, uint32_t, int)) {
        static_assert(std::is_base_of_v<C, O>, "the hook must be a member of the owner");
        bind(shapeOwnerKey(owner),
             Hook([owner, method](int id, const T* data, uint32_t count, uint32_t oldCount,
                                  uint32_t index, uint32_t oldIndex, int arg) {
                 (owner->*method)(id, data, count, oldCount, index, oldIndex, arg);
             }));
    }
    // Installs any callable as the hook; `ownerKey` is what attachWindow routes by.
    void bind(const void* ownerKey, Hook hook) {
        auto shared = hook ? std::make_shared<const Hook>(std::move(hook)) : nullptr;
        std::lock_guard lock(mutex_);
        setHookOwner(ownerKey);
        hook_ = std::move(shared);
    }

protected:
    static std::unique_ptr<T[]> makeElements(uint32_t n) {
        return std::unique_ptr<T[]>(new T[n]());
    }
    void replaceElements(std::unique_ptr<T[]> elements, uint32_t n) {
        elements_ = std::move(elements);
        count = n;
    }
    void clampIndex() {
        if (selection.index >= count) selection.index = count ? count - 1 : 0;
    }
    void checkCurrent() const {
        if (selection.index >= count || !elements_)
            ShapeException::raise(L"Out of range( array length \"%d\", access index \"%d\"", count,
                                  selection.index);
    }
    // Copy assignment and equality of shapes that are elements of other shapes.
    void copyValue(const ShapeBody& other) {
        if (!equals(other.data(), other.count)) store(other.data(), other.count, false);
        selection.index = other.selection.index;
    }
    bool sameValue(const ShapeBody& other) const {
        return selection.index == other.selection.index && equals(other.data(), other.count);
    }
    // Publishes the edit of assign or fill: `write` runs only when the value differs.
    template <class Write>
    void publishEdit(bool equal, uint32_t n, int arg, int flags, Write write);

    std::unique_ptr<T[]> elements_;
    std::shared_ptr<const Hook> hook_;

private:
    void grow(uint32_t extra, const T* src, bool copies);
};

#include "store/ShapeBody.inl"
