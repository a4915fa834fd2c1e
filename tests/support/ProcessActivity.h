#pragma once
// How often this process's threads woke up and how much CPU time they used: context switches
// (voluntary and involuntary) of every thread from /proc/self/task, and the process CPU clock.
#include <chrono>
#include <map>
#include <string>

struct ThreadActivity {
    std::string name;
    long long switches = 0;
};

struct ActivitySample {
    std::map<int, ThreadActivity> threads;  // by thread id
    std::chrono::nanoseconds cpuTime{0};
    std::chrono::steady_clock::time_point takenAt;
};

ActivitySample SampleActivity();

// What happened between two samples; a thread born in between counts from 0, one that ended
// is left out.
struct ActivityRate {
    double wakeupsPerSecond = 0;
    double corePercent = 0;                  // CPU time in percent of one core
    std::map<int, ThreadActivity> byThread;  // switches in between, threads that woke only
};

ActivityRate RateBetween(const ActivitySample& before, const ActivitySample& after);

// One line per thread that woke, for a failure message.
std::string Describe(const ActivityRate& rate);

// The rate while the calling thread sleeps for `span`.
ActivityRate RateWhileSleeping(std::chrono::milliseconds span);
