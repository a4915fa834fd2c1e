#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "store/ShapeChange.h"

// A thread with its own message queue that stands in for a window where there is no GUI
// (headless tools, tests, benchmarks): owners attached to its handle get their changes on it.
// Messages run one at a time, in the order they were posted, each after the previous one
// returned, as a window's message loop would run them.
class ShapeWindowThread {
public:
    ShapeWindowThread();
    // Closes the window: later posts fail, messages not yet run are dropped (their changes
    // released undelivered), and the thread is joined.
    ~ShapeWindowThread();
    ShapeWindowThread(const ShapeWindowThread&) = delete;
    ShapeWindowThread& operator=(const ShapeWindowThread&) = delete;

    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(this); }
    bool isCurrentThread() const { return std::this_thread::get_id() == thread_.get_id(); }

    // Runs `message` on the window's thread; false when the window is closed.
    bool post(std::function<void()> message);
    // Waits until every message posted before the call has run (not from the window's thread).
    void flush();
    void close();

    // Routes the UI layer's shape message to the ShapeWindowThread named by the handle; a post to a
    // closed or unknown window fails. Installs a process-wide poster: only where no UI layer does.
    static void installPoster();
    static bool postChange(WindowHandle window, ShapeChange* change);

private:
    struct Message {
        std::function<void()> call;
        ShapeChange* change = nullptr;
    };
    bool push(Message message);
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Message> messages_;
    bool closed_ = false;
    std::thread thread_;
};
