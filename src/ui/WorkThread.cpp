#include "ui/WorkThread.h"

namespace SOUI {

SWorkThread::SWorkThread() : thread_([this] { Loop(); }) {}

SWorkThread::~SWorkThread() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SWorkThread::Post(Job job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void SWorkThread::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        Reply reply;
        try {
            reply = job();
        } catch (...) {
            // A job answers its own failures; one that escapes only loses its reply.
        }
        // Queued to the receiver, which is gone with this object: a late reply is dropped.
        if (reply) QMetaObject::invokeMethod(&context_, std::move(reply), Qt::QueuedConnection);
        lock.lock();
    }
}

}  // namespace SOUI
