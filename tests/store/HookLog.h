#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "store/Shape.h"

// Records hook calls of int shapes, from any thread.
class HookLog {
public:
    struct Call {
        std::string who;
        std::vector<int> values;
        uint32_t oldCount;
        uint32_t index;
        uint32_t oldIndex;
        int arg;
        std::thread::id thread;
    };

    // Binds a recording hook to `shape`; `owner` is the key attachWindow routes by.
    template <class Shape>
    void watch(Shape& shape, std::string who, const void* owner = nullptr) {
        shape.bind(owner ? owner : &shape,
                   [this, who](int, const int* data, uint32_t count, uint32_t oldCount,
                               uint32_t index, uint32_t oldIndex, int arg) {
                       record(Call{who, std::vector<int>(data, data + count), oldCount, index,
                                   oldIndex, arg, std::this_thread::get_id()});
                   });
    }

    void record(Call call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
        changed_.notify_all();
    }

    // Records an event that is not a hook call, on the calling thread.
    void note(std::string who) {
        record(Call{std::move(who), {}, 0, 0, 0, 0, std::this_thread::get_id()});
    }

    std::vector<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    // Who heard, in order.
    std::vector<std::string> heard() const {
        std::vector<std::string> names;
        for (const Call& call : calls()) names.push_back(call.who);
        return names;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }
    bool waitForCalls(std::size_t n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10),
                                 [&] { return calls_.size() >= n; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Call> calls_;
};
