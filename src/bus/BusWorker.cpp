#include "bus/BusWorker.h"

namespace {

// While another operation holds the keyboard, the refresh is tried again this often.
constexpr auto kRefreshRetry = std::chrono::milliseconds(100);

// The calls answer their own failures; whatever still escapes ends the step, not the program.
template <class Step>
bool Contained(const Step& step) {
    try {
        return step();
    } catch (...) {
        return false;
    }
}

}  // namespace

BusWorker::BusWorker(Refresh refresh) : refresh_(std::move(refresh)), thread_([this] { Loop(); }) {}

BusWorker::~BusWorker() {
    Stop();
}

bool BusWorker::Post(Call call) {
    {
        const std::lock_guard lock(mutex_);
        if (stopping_ || calls_.size() >= kMaxWaiting) return false;
        calls_.push_back(std::move(call));
    }
    wake_.notify_one();
    return true;
}

void BusWorker::RefreshSoon() {
    {
        const std::lock_guard lock(mutex_);
        if (refreshWanted_) return;  // a retry keeps its time
        refreshWanted_ = true;
        refreshDue_ = std::chrono::steady_clock::now();
    }
    wake_.notify_one();
}

void BusWorker::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void BusWorker::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopping_) break;
        if (!calls_.empty()) {
            Call call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            Contained([&] {
                call(true);
                return true;
            });
            lock.lock();
        } else if (refreshWanted_ && std::chrono::steady_clock::now() >= refreshDue_) {
            refreshWanted_ = false;
            lock.unlock();
            const bool done = Contained(refresh_);
            lock.lock();
            if (!done) {
                refreshWanted_ = true;
                refreshDue_ = std::chrono::steady_clock::now() + kRefreshRetry;
            }
        } else if (refreshWanted_) {
            wake_.wait_until(lock, refreshDue_);
        } else {
            wake_.wait(lock);
        }
    }
    std::deque<Call> unanswered = std::move(calls_);
    lock.unlock();
    for (Call& call : unanswered) call(false);
}
