#pragma once
// The thread beside the window's that carries out the bus calls, one after another, and between
// them keeps the service's copy of the keyboard's state fresh, so the window's thread never
// waits for the keyboard.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class BusWorker {
public:
    // A call's work; `carryOut` is false when the worker stops before its turn, and the work
    // then only answers that it was not carried out.
    using Call = std::function<void(bool carryOut)>;
    // Renews the copy of the state; false when the keyboard is busy, to be tried again shortly.
    using Refresh = std::function<bool()>;

    // Calls waiting beyond this many are turned away: a caller learns at once that the keyboard
    // is busy instead of waiting behind a queue without end.
    static constexpr std::size_t kMaxWaiting = 16;

    explicit BusWorker(Refresh refresh);
    ~BusWorker();
    BusWorker(const BusWorker&) = delete;
    BusWorker& operator=(const BusWorker&) = delete;

    // False when too many calls wait already; the call is then not taken.
    bool Post(Call call);
    // Asks for a refresh soon; from any thread, several requests become one.
    void RefreshSoon();
    // Finishes the running call and answers the waiting ones; later calls are not taken.
    void Stop();

private:
    void Loop();

    Refresh refresh_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Call> calls_;
    bool refreshWanted_ = false;
    std::chrono::steady_clock::time_point refreshDue_;
    bool stopping_ = false;
    std::thread thread_;  // last: started once the members above exist
};
