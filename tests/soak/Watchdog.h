#pragma once
// Ends the process with a message naming the action when one action runs past its bound: a
// hung action would otherwise only be noticed by the test runner's time-out, with no clue.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds bound);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // An action starts; its time runs until Finished().
    void Started(std::string action);
    void Finished();

private:
    void Watch();

    const std::chrono::milliseconds bound_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string action_;
    std::chrono::steady_clock::time_point since_;
    bool running_ = false;
    bool stop_ = false;
    std::thread thread_;
};

// Times one action for the scope.
class WatchedAction {
public:
    WatchedAction(Watchdog& dog, std::string action) : dog_(dog) {
        dog_.Started(std::move(action));
    }
    ~WatchedAction() { dog_.Finished(); }
    WatchedAction(const WatchedAction&) = delete;
    WatchedAction& operator=(const WatchedAction&) = delete;

private:
    Watchdog& dog_;
};
