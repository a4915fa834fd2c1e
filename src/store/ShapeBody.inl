// Implementation of ShapeBody; included by ShapeBody.h only.

#include <functional>
#include <limits>

template <class T, int32_t ID, int ZERO>
bool ShapeBody<T, ID, ZERO>::apply(const ShapeBase* src, uint32_t oldCount, uint32_t oldIndex,
                                   int arg, int flags) {
    if (!src) return false;
    const T* values = static_cast<const T*>(src->rawData());
    const uint32_t srcCount = src->count;
    const uint32_t srcIndex = src->selection.index;
    bool changed = false;
    if (flags & SHAPE_COPY) {
        if (!equals(values, srcCount)) {
            store(values, srcCount, false);
            changed = true;
        }
        if (srcIndex != selection.index) {
            selection.index = srcIndex;
            changed = true;
        }
    }
    // A copy, so that a hook may rebind its own shape while it runs.
    const std::shared_ptr<const Hook> hook = hook_;
    const bool runHook =
        (flags & SHAPE_FORCE) || ((flags & SHAPE_HOOK) && (!(flags & SHAPE_COPY) || changed));
    if (hook && runHook) (*hook)(id, values, srcCount, oldCount, srcIndex, oldIndex, arg);
    return changed;
}

template <class T, int32_t ID, int ZERO>
ShapeBase* ShapeBody<T, ID, ZERO>::clone(const ShapeBase* src) const {
    if (!src) src = this;
    auto copy = std::make_unique<ShapeBody<T, ID, ZERO>>();
    copy->name = src->name;
    copy->id = src->id;
    copy->selection.index = src->selection.index;
    copy->store(static_cast<const T*>(src->rawData()), src->count, false);
    return copy.release();
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::post(ShapeBase* snapshot, uint32_t oldCount, uint32_t oldIndex,
                                  int arg, int flags) {
    std::unique_ptr<ShapeBase> owned(snapshot);
    if (isPrivate() || !ShapeBase::postToGroup(owned, oldCount, oldIndex, arg, flags)) {
        if (flags & SHAPE_SELF) {
            std::lock_guard lock(mutex_);
            apply(this, oldCount, oldIndex, arg, SHAPE_HOOK);
        }
    }
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::fireSelf(int arg, SelfDelivery delivery) {
    if (delivery == SelfDelivery::Now) {
        std::lock_guard lock(mutex_);
        apply(this, count, selection.index, arg, SHAPE_HOOK);
    } else {
        fire(arg, SHAPE_SELF);
    }
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::store(const T* src, uint32_t n, bool fill) {
    if (n == 0) {
        replaceElements(nullptr, 0);
    } else if (!src) {
        if (n != count) replaceElements(makeElements(n), n);
        if (ZERO) {
            for (uint32_t i = 0; i < n; ++i) elements_[i] = ShapeZeroValue<T>::make();
        }
    } else if (fill) {
        // The value is taken first: it may live in the array being replaced.
        const T value = src[0];
        auto fresh = makeElements(n);
        for (uint32_t i = 0; i < n; ++i) fresh[i] = value;
        replaceElements(std::move(fresh), n);
    } else if (src == elements_.get() && n >= count) {
        // Already the value (a longer source would read past the array).
    } else {
        const std::less<const T*> before;
        const bool aliased =
            elements_ && !before(src, elements_.get()) && before(src, elements_.get() + count);
        if (n == count && !aliased) {
            for (uint32_t i = 0; i < n; ++i) elements_[i] = src[i];
        } else {
            auto fresh = makeElements(n);
            for (uint32_t i = 0; i < n; ++i) fresh[i] = src[i];
            replaceElements(std::move(fresh), n);
        }
    }
    clampIndex();
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::setCurrent(const T* v) {
    if (v && selection.index < count) elements_[selection.index] = *v;
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::grow(uint32_t extra, const T* src, bool copies) {
    if (extra == 0) return;
    if (extra > std::numeric_limits<uint32_t>::max() - count)
        throw std::length_error("shape too long");
    auto fresh = makeElements(count + extra);
    for (uint32_t i = 0; i < count; ++i) fresh[i] = elements_[i];
    if (src) {
        for (uint32_t i = 0; i < extra; ++i) fresh[count + i] = copies ? src[0] : src[i];
    } else if (ZERO) {
        for (uint32_t i = 0; i < extra; ++i) fresh[count + i] = ShapeZeroValue<T>::make();
    }
    replaceElements(std::move(fresh), count + extra);
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::appendCopies(const T* v, uint32_t n) {
    grow(n, v, true);
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::append(const T* src, uint32_t n) {
    grow(n, src, false);
}

template <class T, int32_t ID, int ZERO>
bool ShapeBody<T, ID, ZERO>::equals(const T* src, uint32_t n) const {
    if (n != count) return false;
    if (src == elements_.get()) return true;
    if (!src || !elements_) return false;
    for (uint32_t i = 0; i < n; ++i) {
        if (!(elements_[i] == src[i])) return false;
    }
    return true;
}

template <class T, int32_t ID, int ZERO>
bool ShapeBody<T, ID, ZERO>::allEqual(const T* v, uint32_t n) const {
    if (n != count || !elements_ || !v) return false;
    for (uint32_t i = 0; i < n; ++i) {
        if (!(elements_[i] == *v)) return false;
    }
    return true;
}

template <class T, int32_t ID, int ZERO>
bool ShapeBody<T, ID, ZERO>::currentEquals(const T* v) const {
    return v && selection.index < count && elements_[selection.index] == *v;
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::set(const T* v, int arg, int flags) {
    // An empty shape has no current element to write.
    if (!v || selection.index >= count) return;
    const bool equal = currentEquals(v);
    if (equal && !(flags & SHAPE_FORCE)) return;
    if (!equal) setCurrent(v);
    if (flags) post(clone(), count, selection.index, arg, flags);
}

template <class T, int32_t ID, int ZERO>
template <class Write>
void ShapeBody<T, ID, ZERO>::publishEdit(bool equal, uint32_t n, int arg, int flags, Write write) {
    if (equal && !(flags & SHAPE_FORCE)) return;
    const uint32_t oldCount = count;
    const uint32_t oldIndex = selection.index;
    if (!equal) {
        write();
        // Containers do not clamp in store; the index must still point into the new value.
        if (n == 0) {
            selection.index = 0;
        } else if (selection.index >= n) {
            selection.index = n - 1;
        }
    }
    if (flags) post(clone(), oldCount, oldIndex, arg, flags);
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::assign(const T* src, uint32_t n, int arg, int flags) {
    publishEdit(equals(src, n), n, arg, flags, [&] { store(src, n, false); });
}

template <class T, int32_t ID, int ZERO>
void ShapeBody<T, ID, ZERO>::fill(const T* v, uint32_t n, int arg, int flags) {
    publishEdit(allEqual(v, n), n, arg, flags, [&] { store(v, n, true); });
}
