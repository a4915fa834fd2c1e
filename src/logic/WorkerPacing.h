#pragma once

#include <chrono>

class SimpleThread;

// Loop passes of the keyboard logic's two idle workers.

constexpr int kIdlePassWrap = 300;

// Sleeps for `pace` when the timed queue is empty and counts the idle pass (wrapping at
// kIdlePassWrap); otherwise resets the count.
void PaceIdlePass(SimpleThread& thread, std::chrono::milliseconds pace);

// Waits up to `pace` on the thread's stop event, so Stop ends the pass at once.
void PaceUntilStopped(SimpleThread& thread, std::chrono::milliseconds pace);
