#pragma once
// The time stamp an input event carries: milliseconds of the monotonic clock.
#include <cstdint>
#include <ctime>

inline std::uint32_t EventTime() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::uint32_t>(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}
