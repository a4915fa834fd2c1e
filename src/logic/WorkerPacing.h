#pragma once

#include <chrono>

class SimpleThread;

// Idle passes of the keyboard logic's first worker.

constexpr int kIdlePassWrap = 300;

// Brings the thread's idle passes up to `now` without waiting for them: while the timed queue
// is empty, one pass for every whole `pace` since they were last counted, wrapping at
// kIdlePassWrap; with timed runnables queued the count goes back to 0.
void CountIdlePasses(SimpleThread& thread, std::chrono::milliseconds pace,
                     std::chrono::steady_clock::time_point now);
