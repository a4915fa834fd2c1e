#include "store/ShapeDispatcher.h"

#include <system_error>

namespace {

// The flags a member receives, or 0 when it is skipped.
int effectiveFlags(int flags, bool isSource) {
    if (isSource) return (flags & SHAPE_SELF) ? ((flags & ~SHAPE_COPY) | SHAPE_HOOK) : 0;
    return flags & ~SHAPE_SELF;
}

// Takes over what is still on its way to a detached owner's shapes, so that it is dropped, as
// by a window that is gone, rather than applied on the dispatcher thread.
bool dropDelivery(ShapeBase*, ShapeBase*, uint32_t, uint32_t, int, int, WindowHandle) {
    return true;
}

}  // namespace

ShapeDispatcher& ShapeDispatcher::instance() {
    static ShapeDispatcher dispatcher;
    return dispatcher;
}

ShapeDispatcher::~ShapeDispatcher() {
    std::deque<ShapeChange*> abandoned;
    std::thread thread;
    {
        std::lock_guard lock(queueLock_);
        closing_ = true;
        abandoned.swap(queue_);
        thread = std::move(thread_);
    }
    if (thread.joinable()) {
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach();
        } else {
            thread.join();
        }
    }
    for (ShapeChange* change : abandoned) delete change;
}

void ShapeDispatcher::setWindowPoster(WindowPoster poster) {
    auto shared = std::make_shared<const WindowPoster>(std::move(poster));
    ShapeDispatcher& dispatcher = instance();
    std::lock_guard lock(dispatcher.queueLock_);
    dispatcher.poster_ = std::move(shared);
}

std::shared_ptr<const ShapeDispatcher::WindowPoster> ShapeDispatcher::poster() {
    std::lock_guard lock(queueLock_);
    return poster_;
}

void ShapeDispatcher::attach(const void* owner, WindowHandle window) {
    auto listener = std::make_shared<Listener>(window, nullptr, &ShapeBase::postToWindow);
    std::lock_guard lock(queueLock_);
    listeners_[owner] = std::move(listener);
}

void ShapeDispatcher::detach(const void* owner) {
    std::shared_ptr<Listener> removed;
    std::lock_guard lock(queueLock_);
    auto found = listeners_.find(owner);
    if (found == listeners_.end()) return;
    removed = std::move(found->second);
    // The owner is going away on its window's thread: its hooks must not run elsewhere. The
    // entry goes with its last shape (rebind).
    if (ownerShapes_.contains(owner))
        found->second = std::make_shared<Listener>(WindowHandle{}, nullptr, &dropDelivery);
    else
        listeners_.erase(found);
}

void ShapeDispatcher::rebind(const void* oldOwner, const void* newOwner) {
    if (oldOwner == newOwner) return;
    std::lock_guard lock(queueLock_);
    if (newOwner) ++ownerShapes_[newOwner];
    if (!oldOwner) return;
    auto found = ownerShapes_.find(oldOwner);
    if (found == ownerShapes_.end() || --found->second > 0) return;
    ownerShapes_.erase(found);
    listeners_.erase(oldOwner);
}

std::shared_ptr<ShapeDispatcher::Listener> ShapeDispatcher::listenerFor(const void* owner) {
    if (!owner) return nullptr;
    std::lock_guard lock(queueLock_);
    auto found = listeners_.find(owner);
    return found == listeners_.end() ? nullptr : found->second;
}

void ShapeDispatcher::queue(ShapeChange* change) {
    std::unique_ptr<ShapeChange> owned(change);
    std::thread finished;
    std::deque<ShapeChange*> dropped;
    {
        std::lock_guard lock(queueLock_);
        if (closing_) return;
        queue_.push_back(owned.get());
        owned.release();
        if (!running_) {
            // The previous thread has left its loop; it is joined below, outside the lock.
            finished = std::move(thread_);
            try {
                thread_ = std::thread(&ShapeDispatcher::run, this);
                threadId_ = thread_.get_id();
                running_ = true;
            } catch (const std::system_error&) {
                dropped.swap(queue_);
            }
        }
    }
    if (finished.joinable()) finished.join();
    for (ShapeChange* lost : dropped) delete lost;
}

bool ShapeDispatcher::waitIdle(std::chrono::milliseconds timeout) {
    ShapeDispatcher& dispatcher = instance();
    std::unique_lock lock(dispatcher.queueLock_);
    if (dispatcher.running_ && std::this_thread::get_id() == dispatcher.threadId_) return false;
    const bool idle = dispatcher.idle_.wait_for(
        lock, timeout, [&] { return !dispatcher.running_ && dispatcher.queue_.empty(); });
    if (!idle) return false;
    std::thread finished = std::move(dispatcher.thread_);
    lock.unlock();
    if (finished.joinable()) finished.join();
    return true;
}

void ShapeDispatcher::run() {
    for (;;) {
        std::unique_ptr<ShapeChange> change;
        {
            std::lock_guard lock(queueLock_);
            if (queue_.empty()) {
                // Decided under the lock: a later queue() sees the thread gone and starts one.
                running_ = false;
                idle_.notify_all();
                return;
            }
            change.reset(queue_.front());
            queue_.pop_front();
        }
        walk(*change);
    }
}

void ShapeDispatcher::walk(ShapeChange& change) {
    if (!change.group || !change.snapshot) return;
    std::list<ShapeMember>& members = change.group->members;
    std::unique_lock lock(queueLock_);
    auto it = members.begin();
    while (it != members.end()) {
        ShapeMember& member = *it;
        const bool isSource = member.serial == change.serial;
        const int flags = member.shape ? effectiveFlags(change.flags, isSource) : 0;
        if (!flags) {
            ++it;
            continue;
        }
        // The pin keeps this entry, and so the walk's place, even if the member leaves while
        // it is served; its destructor waits for the pin to go.
        ++member.pins;
        ShapeBase* target = member.shape;
        lock.unlock();
        serve(change, target, isSource, flags);
        lock.lock();
        ++it;
        unpin(member);
    }
}

void ShapeDispatcher::serve(ShapeChange& change, ShapeBase* target, bool isSource, int flags) {
    try {
        // Only this thread takes the dispatch lock, so it can come first without any risk of
        // deadlock; taken first, it stays outside every shape mutex a hook may take.
        std::lock_guard dispatchLock(dispatchLock_);
        std::lock_guard memberLock(target->mutex_);
        const uint32_t oldCount = isSource ? change.oldCount : target->count;
        const uint32_t oldIndex = isSource ? change.oldIndex : target->selection.index;
        if (auto listener = listenerFor(target->hookOwner_)) {
            if (listener->intercept(change.snapshot.get(), target, oldCount, oldIndex, change.arg,
                                    flags, listener->context))
                return;
        }
        if (isSource || target->hold() == 0)
            target->apply(change.snapshot.get(), oldCount, oldIndex, change.arg, flags);
    } catch (...) {
        // A failing hook ends its own delivery only; the other members still get theirs.
    }
}

void ShapeDispatcher::deliver(ShapeChange* change) {
    std::unique_ptr<ShapeChange> owned(change);
    if (!owned) return;
    instance().deliverTo(owned->group, owned->snapshot.get(), owned->source, owned->serial,
                         owned->oldCount, owned->oldIndex, owned->arg, owned->flags);
}

void ShapeDispatcher::deliverTo(ShapeGroup* group, ShapeBase* snapshot, ShapeBase* target,
                                uint64_t serial, uint32_t oldCount, uint32_t oldIndex, int arg,
                                int flags) {
    if (!snapshot || !target) return;
    ShapeMember* member = nullptr;
    {
        std::lock_guard lock(queueLock_);
        if (!group) group = registry_.find(snapshot->id, snapshot->name, snapshot->elementType_);
        if (group) member = pin(*group, target, serial);
    }
    if (!member) return;
    try {
        std::lock_guard targetLock(target->mutex_);
        target->apply(snapshot, oldCount, oldIndex, arg, flags);
    } catch (...) {
        // As on the dispatcher thread: the failure stays with this delivery.
    }
    std::lock_guard lock(queueLock_);
    unpin(*member);
}

ShapeMember* ShapeDispatcher::pin(ShapeGroup& group, const ShapeBase* shape, uint64_t serial) {
    for (ShapeMember& member : group.members) {
        if (member.shape == shape && (serial == 0 || member.serial == serial)) {
            ++member.pins;
            return &member;
        }
    }
    return nullptr;
}

void ShapeDispatcher::unpin(ShapeMember& member) {
    if (--member.pins == 0 && !member.shape) released_.notify_all();
}
