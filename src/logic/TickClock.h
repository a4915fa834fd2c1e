#pragma once

#include <chrono>
#include <cstdint>

// Milliseconds of a monotonic clock, wrapping at 2^32 like a tick counter. Never 0, since
// a start tick of 0 means "interval not started".
inline uint32_t TickCount() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    auto tick = static_cast<uint32_t>(ms);
    return tick == 0 ? 1 : tick;
}
