#pragma once

#include <cstddef>
#include <cstdint>

// A work item for SimpleThread. In the run queue it is run once (when ready) and destroyed;
// in the timed queue it hands a fresh work item to the run queue each time its interval ends.
class BaseRunable {
public:
    BaseRunable() = default;
    BaseRunable(const BaseRunable&) = delete;
    BaseRunable& operator=(const BaseRunable&) = delete;
    virtual ~BaseRunable();

    virtual bool IsReady() = 0;
    // Called by the timer thread when a timed runnable is due; the result (owned by the
    // caller, may be null) is appended to the run queue.
    virtual BaseRunable* MakeRunnable() = 0;
    virtual void Run(int arg1, int arg2, void* buffer, int size) = 0;

    // Replaces the buffer with a copy of `size` bytes of `data` (zeroed when data is null).
    void SetBuffer(const void* data, int size);
    void* buffer() const { return buffer_; }
    int size() const { return size_; }

    int arg1 = 0;
    int arg2 = 0;
    unsigned interval = 0;   // milliseconds
    int repeat = 0;          // -1: without end
    bool exclusive = false;  // ends the timer's walk of the timed queue for this pass
    uint32_t startTick = 0;  // 0: interval not started

private:
    void* buffer_ = nullptr;  // C allocator
    int size_ = 0;
};
