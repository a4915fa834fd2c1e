#include "store/ShapeBase.h"

#include "store/ShapeDispatcher.h"

bool ShapeBase::Selection::select(uint32_t i, int arg, bool self, bool force) {
    const int flags = shapeFlags(self, force);
    if (i >= owner->count) return false;
    if (!force && i == index) return true;
    const uint32_t old = index;
    index = i;
    owner->post(owner->clone(), owner->count, old, arg, flags);
    return true;
}

ShapeBase::ShapeBase(const char* name, int32_t id, const std::type_info& elementType)
    : name(name), id(id), elementType_(elementType) {
    // Made before the first shape, the dispatcher outlives every shape, static ones included.
    ShapeDispatcher::instance();
}

ShapeBase::~ShapeBase() {
    leave();
    setHookOwner(nullptr);
}

void ShapeBase::setHookOwner(const void* owner) {
    if (owner == hookOwner_) return;
    ShapeDispatcher::instance().rebind(hookOwner_, owner);
    hookOwner_ = owner;
}

bool ShapeBase::apply(const ShapeBase*, uint32_t, uint32_t, int, int) {
    return false;
}

ShapeBase* ShapeBase::clone(const ShapeBase*) const {
    return nullptr;
}

void ShapeBase::joinGroup(AdoptFunction adopt, void* context) {
    ShapeDispatcher& dispatcher = ShapeDispatcher::instance();
    std::unique_lock lock(dispatcher.queueLock_);
    ShapeGroup& group = dispatcher.registry_.group(id, name, elementType_);
    ShapeMember* first = nullptr;
    for (ShapeMember& member : group.members) {
        if (member.shape) {
            first = &member;
            break;
        }
    }
    if (first) {
        // The first member is read under its own mutex, which may not be taken under the
        // queue lock; the pin keeps it alive meanwhile. Its mutex stays held until this shape
        // is in the group, so no change can reach the first member and miss this one.
        ++first->pins;
        ShapeBase* source = first->shape;
        lock.unlock();
        std::lock_guard sourceLock(source->mutex_);
        try {
            adopt(context, source);
        } catch (...) {
            lock.lock();
            dispatcher.unpin(*first);
            throw;
        }
        lock.lock();
        dispatcher.unpin(*first);
    } else {
        lock.unlock();
        adopt(context, nullptr);
        lock.lock();
    }
    serial_ = dispatcher.nextSerial_++;
    group.members.push_back(ShapeMember{this, serial_});
    member_ = std::prev(group.members.end());
    group_ = &group;
}

void ShapeBase::leave() {
    if (!group_) return;
    ShapeDispatcher& dispatcher = ShapeDispatcher::instance();
    {
        std::unique_lock lock(dispatcher.queueLock_);
        member_->shape = nullptr;
        // A delivery that already holds this member (on the dispatcher or a window thread)
        // runs to its end first; no new one can start.
        dispatcher.released_.wait(lock, [this] { return member_->pins == 0; });
        group_->members.erase(member_);
        group_ = nullptr;
    }
    std::lock_guard own(mutex_);
}

bool ShapeBase::postToGroup(std::unique_ptr<ShapeBase>& snapshot, uint32_t oldCount,
                            uint32_t oldIndex, int arg, int flags) {
    if (!group_) return false;
    auto change = std::make_unique<ShapeChange>(
        ShapeChange{this, std::move(snapshot), arg, oldCount, oldIndex, flags, group_, serial_});
    ShapeDispatcher::instance().queue(change.release());
    return true;
}

void ShapeBase::attachWindowKey(const void* ownerKey, WindowHandle window) {
    ShapeDispatcher::instance().attach(ownerKey, window);
}

void ShapeBase::detachWindowKey(const void* ownerKey) {
    ShapeDispatcher::instance().detach(ownerKey);
}

bool ShapeBase::postToWindow(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                             uint32_t oldIndex, int arg, int flags, WindowHandle window) {
    if (!window) return false;
    if (!snapshot || !target) return true;
    auto change = std::make_unique<ShapeChange>(
        ShapeChange{target, std::unique_ptr<ShapeBase>(snapshot->clone()), arg, oldCount, oldIndex,
                    flags, target->group_, target->serial_});
    auto poster = ShapeDispatcher::instance().poster();
    if (poster && *poster && (*poster)(window, change.get())) change.release();
    return true;
}

void ShapeBase::deliver(ShapeBase* snapshot, ShapeBase* target, uint32_t oldCount,
                        uint32_t oldIndex, int arg, int flags) {
    ShapeDispatcher::instance().deliverTo(nullptr, snapshot, target, 0, oldCount, oldIndex, arg,
                                          flags);
}
