#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "store/ShapeChange.h"
#include "store/ShapeRegistry.h"

// The process-wide queue of published changes and the thread that delivers them to the
// members of each group, one change at a time, in queue order. The thread is started by the
// first change queued to an idle dispatcher and ends itself when it finds the queue empty.
//
// Window routing (for the UI layer): members whose hook owner was attached to a window with
// ShapeBase::attachWindow get their changes on that window's thread. The UI layer installs,
// once, a poster that carries a ShapeChange to a window as the UI layer's shape message:
//
//     ShapeDispatcher::setWindowPoster([](WindowHandle window, ShapeChange* change) {
//         return postToMyWindow(window, kShapeMessage, change);  // false: window gone
//     });
//
// The poster runs on the dispatcher thread and must not block. When it returns true it owns
// the change, and the window's handler calls ShapeDispatcher::deliver(change) on the window's
// thread (which applies it and deletes it). A change that is never delivered is released with
// `delete change`. When it returns false, or no poster is installed, the change is dropped.
class ShapeDispatcher {
public:
    using WindowPoster = std::function<bool(WindowHandle window, ShapeChange* change)>;

    static ShapeDispatcher& instance();

    static void setWindowPoster(WindowPoster poster);

    // Applies a change carried by the UI layer's shape message to its target, if the target still
    // exists, and deletes the change. Call it on the window's thread.
    static void deliver(ShapeChange* change);

    // Waits until the queue is empty and the dispatcher thread has ended (window-routed
    // changes may still be on their way to their windows). False on timeout, or when called
    // from a hook on the dispatcher thread. Meant for tests and orderly shutdown.
    static bool waitIdle(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Takes the change over and starts the dispatcher thread if none runs.
    void queue(ShapeChange* change);

    ShapeRegistry& registry() { return registry_; }
    std::recursive_mutex& queueLock() { return queueLock_; }

    // Drops changes still queued and joins the thread, at process end.
    ~ShapeDispatcher();

private:
    friend class ShapeBase;
    using Listener = ShapeBase::HookerListener<ShapeBase::IHookerProxy>;

    ShapeDispatcher() = default;

    void run();
    void walk(ShapeChange& change);
    void serve(ShapeChange& change, ShapeBase* target, bool isSource, int flags);
    std::shared_ptr<Listener> listenerFor(const void* owner);
    void attach(const void* owner, WindowHandle window);
    void detach(const void* owner);
    // Counts the shapes bound to each owner; the owner's routing ends with its last shape.
    void rebind(const void* oldOwner, const void* newOwner);
    std::shared_ptr<const WindowPoster> poster();

    // Membership (queue lock held by the caller, except where noted).
    ShapeMember* pin(ShapeGroup& group, const ShapeBase* shape, uint64_t serial);
    void unpin(ShapeMember& member);
    // Applies to a target found in `group`, or does nothing; takes the locks itself.
    void deliverTo(ShapeGroup* group, ShapeBase* snapshot, ShapeBase* target, uint64_t serial,
                   uint32_t oldCount, uint32_t oldIndex, int arg, int flags);

    std::thread thread_;
    std::thread::id threadId_;
    std::deque<ShapeChange*> queue_;
    std::recursive_mutex dispatchLock_;
    std::recursive_mutex queueLock_;
    std::condition_variable_any idle_;      // the thread ended
    std::condition_variable_any released_;  // a leaving member was unpinned
    bool running_ = false;
    bool closing_ = false;
    uint64_t nextSerial_ = 1;
    ShapeRegistry registry_;
    std::unordered_map<const void*, std::shared_ptr<Listener>> listeners_;
    std::unordered_map<const void*, std::size_t> ownerShapes_;
    std::shared_ptr<const WindowPoster> poster_;
};
