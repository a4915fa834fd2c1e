#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <typeinfo>

#include "store/ShapeFlags.h"
#include "store/ShapeGroup.h"

// Common part of every shape: identity, count, current index, hook owner, hold flag and the
// mutex under which deliveries are applied. The first ten virtual operations live here.
class ShapeBase {
public:
    // The current element of a shape.
    class Selection {
    public:
        explicit Selection(ShapeBase* owner) : owner(owner) {}
        Selection(const Selection&) = delete;
        Selection& operator=(const Selection&) = delete;
        virtual ~Selection() = default;

        // Makes element i current and publishes the shape with flags built from self and
        // force. False when i is not below the count; true without publishing when i is
        // already current and force is false.
        virtual bool select(uint32_t i, int arg, bool self, bool force);

        ShapeBase* const owner;
        uint32_t index = 0;
    };

    // Interception point for deliveries to the members of one hook owner.
    class IHookerProxy {
    public:
        // True: the proxy has taken the delivery over and the dispatcher must not apply it.
        virtual bool intercept(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                               uint32_t oldIndex, int arg, int flags, WindowHandle context) = 0;

    protected:
        ~IHookerProxy() = default;
    };

    // A proxy that forwards to a plain function, handing on its own context (a window).
    template <class I>
    class HookerListener : public I {
    public:
        using Function = bool (*)(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                                  uint32_t oldIndex, int arg, int flags, WindowHandle context);

        HookerListener(WindowHandle context, void* object, Function function)
            : context(context), object(object), function(function) {}
        virtual ~HookerListener() = default;

        bool intercept(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount, uint32_t oldIndex,
                       int arg, int flags, WindowHandle context) override {
            return function(snapshot, target, oldCount, oldIndex, arg, flags, context);
        }

        WindowHandle context;
        void* object;
        Function function;
    };

    ShapeBase(const ShapeBase&) = delete;
    ShapeBase& operator=(const ShapeBase&) = delete;

    // Slots 0 to 9.
    virtual ~ShapeBase();
    // The element array as untyped memory; typed access is data() of the derived classes.
    virtual void* rawData() const { return nullptr; }
    virtual int32_t& hold() { return holdFlag_; }
    virtual bool apply(const ShapeBase* src, uint32_t oldCount, uint32_t oldIndex, int arg,
                       int flags);
    virtual ShapeBase* clone(const ShapeBase* src = nullptr) const;
    virtual void post(ShapeBase* snapshot, uint32_t oldCount, uint32_t oldIndex, int arg,
                      int flags) = 0;
    virtual void fire(int arg, int flags) = 0;
    virtual void fireAll(int arg, bool force) = 0;
    virtual void fireSelf(int arg, SelfDelivery delivery) = 0;
    virtual void fireOthers(int arg, bool force) = 0;

    // Shorthands for the selection.
    uint32_t index() const { return selection.index; }
    bool select(uint32_t i, int arg, bool self, bool force) {
        return selection.select(i, arg, self, force);
    }

    const void* hookOwner() const { return hookOwner_; }
    std::recursive_mutex& mutex() { return mutex_; }
    bool isPrivate() const { return id < 0; }

    // From now on every delivery to a shape whose hook owner is `owner` is posted to `window`
    // as the UI layer's shape message (through the poster installed with
    // ShapeDispatcher::setWindowPoster) instead of being applied on the dispatcher thread. A later
    // call replaces the window.
    template <class O>
    static void attachWindow(const O* owner, WindowHandle window) {
        attachWindowKey(shapeOwnerKey(owner), window);
    }
    static void attachWindowKey(const void* ownerKey, WindowHandle window);
    // Ends the routing of an owner that is going away: changes still on their way to its
    // shapes are dropped, never applied on another thread. Routing also ends by itself when
    // the last shape bound to the owner is destroyed, so that a later object at the same
    // address is neither routed nor dropped.
    template <class O>
    static void detachWindow(const O* owner) {
        detachWindowKey(shapeOwnerKey(owner));
    }
    static void detachWindowKey(const void* ownerKey);

    // The listener function installed by attachWindow: hands a copy of the change to the
    // window. False only for a null window (the dispatcher then applies the change itself);
    // a failed post drops the change for that member.
    static bool postToWindow(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                             uint32_t oldIndex, int arg, int flags, WindowHandle window);

    // Applies a change to `target` if it is still a member of the snapshot's group, under
    // the target's mutex; does nothing for a target that has left. Runs on a window thread.
    static void deliver(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                        uint32_t oldIndex, int arg, int flags);

    const char* name;
    int32_t id;
    uint32_t count = 0;
    Selection selection{this};

protected:
    ShapeBase(const char* name, int32_t id, const std::type_info& elementType);

    // Joins the group of (id, name, element type). `adopt` receives the group's first member,
    // or null when the group is empty, and must set this shape's first value.
    template <class Adopt>
    void join(Adopt&& adopt) {
        joinGroup(&ShapeBase::callAdopt<Adopt>, &adopt);
    }
    // Leaves the group; waits for a delivery in progress on another thread to end. Called by
    // the first destructor of every class that joins.
    void leave();
    // Queues a change of this shape to its group's dispatcher; false (snapshot kept) when the
    // shape is in no group.
    bool postToGroup(std::unique_ptr<ShapeBase>& snapshot, uint32_t oldCount, uint32_t oldIndex,
                     int arg, int flags);

    // Sets the hook owner (under the shape's mutex) and keeps count of the owner's shapes.
    void setHookOwner(const void* owner);

    const void* hookOwner_ = nullptr;
    int32_t holdFlag_ = 0;
    mutable std::recursive_mutex mutex_;

private:
    friend class ShapeDispatcher;
    friend class ShapeRegistry;

    using AdoptFunction = void (*)(void* adopt, const ShapeBase* first);
    template <class Adopt>
    static void callAdopt(void* adopt, const ShapeBase* first) {
        (*static_cast<Adopt*>(adopt))(first);
    }
    void joinGroup(AdoptFunction adopt, void* context);

    const std::type_info& elementType_;
    ShapeGroup* group_ = nullptr;
    std::list<ShapeMember>::iterator member_{};
    uint64_t serial_ = 0;
};
