#pragma once
// Publishing flags, the window message that carries a change, and the opaque window handle.

#include <cstdint>
#include <type_traits>

// The change is delivered to the publishing shape's own hook.
constexpr int SHAPE_SELF = 1;
// Receivers copy the published elements and index into themselves.
constexpr int SHAPE_COPY = 2;
// A receiver's hook runs when its value changed (or always when SHAPE_COPY is absent).
constexpr int SHAPE_HOOK = 4;
// Setters publish even an equal value, and hooks run even when nothing changed.
constexpr int SHAPE_FORCE = 8;

// How fireSelf delivers to the shape's own hook: queued behind the changes already waiting,
// like any publication, or at once on the calling thread under the shape's mutex.
enum class SelfDelivery { Queued = 0, Now = 1 };

// A window as the store sees it: an opaque value chosen by the UI layer; 0 is no window.
using WindowHandle = std::uintptr_t;

// Flags of the operations that take (self, force): 6, 7, 14 or 15.
constexpr int shapeFlags(bool self, bool force) {
    return SHAPE_COPY | SHAPE_HOOK | (self ? SHAPE_SELF : 0) | (force ? SHAPE_FORCE : 0);
}

// The key under which a hook owner is known (bind, attachWindow): the address of the most
// derived object, so that any base pointer of the same owner gives the same key.
template <class O>
const void* shapeOwnerKey(const O* owner) {
    if constexpr (std::is_polymorphic_v<O>) {
        return owner ? dynamic_cast<const void*>(owner) : nullptr;
    } else {
        return owner;
    }
}
