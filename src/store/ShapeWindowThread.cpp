#include "store/ShapeWindowThread.h"

#include <future>
#include <memory>
#include <set>

#include "store/ShapeDispatcher.h"

namespace {

// Open windows, so that a handle can be checked before it is used.
std::mutex& windowsLock() {
    static std::mutex lock;
    return lock;
}
std::set<WindowHandle>& openWindows() {
    static std::set<WindowHandle> windows;
    return windows;
}

}  // namespace

ShapeWindowThread::ShapeWindowThread() : thread_(&ShapeWindowThread::run, this) {
    std::lock_guard lock(windowsLock());
    openWindows().insert(handle());
}

ShapeWindowThread::~ShapeWindowThread() {
    close();
    thread_.join();
}

void ShapeWindowThread::close() {
    {
        std::lock_guard lock(windowsLock());
        openWindows().erase(handle());
    }
    std::lock_guard lock(mutex_);
    closed_ = true;
    wake_.notify_all();
}

bool ShapeWindowThread::post(std::function<void()> message) {
    return push(Message{std::move(message)});
}

bool ShapeWindowThread::push(Message message) {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    messages_.push_back(std::move(message));
    wake_.notify_one();
    return true;
}

void ShapeWindowThread::flush() {
    // A dropped marker breaks the promise, which also ends the wait.
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> ran = done->get_future();
    if (post([done] { done->set_value(); })) ran.wait();
}

void ShapeWindowThread::installPoster() {
    ShapeDispatcher::setWindowPoster(&postChange);
}

bool ShapeWindowThread::postChange(WindowHandle window, ShapeChange* change) {
    std::lock_guard lock(windowsLock());
    if (!openWindows().count(window)) return false;
    return reinterpret_cast<ShapeWindowThread*>(window)->push(Message{nullptr, change});
}

void ShapeWindowThread::run() {
    for (;;) {
        Message message;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return closed_ || !messages_.empty(); });
            if (closed_) break;
            message = std::move(messages_.front());
            messages_.pop_front();
        }
        if (message.change) {
            ShapeDispatcher::deliver(message.change);
        } else if (message.call) {
            message.call();
        }
    }
    std::lock_guard lock(mutex_);
    for (Message& dropped : messages_) delete dropped.change;
    messages_.clear();
}
