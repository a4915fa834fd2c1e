#pragma once
// For benchmarks: with KEYLUME_STALL_LOG naming a file, the window's thread beats every
// millisecond and appends each gap between beats longer than kReportedStall to that file, as
// "END GAP" in nanoseconds of the monotonic clock (std::chrono::steady_clock). A benchmark then
// reads how long the window's thread stalled while it did something.
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>

class StallLog {
public:
    static constexpr std::chrono::milliseconds kReportedStall{2};

    // None unless the environment asks for one.
    static std::unique_ptr<StallLog> FromEnvironment();
    ~StallLog();
    StallLog(const StallLog&) = delete;
    StallLog& operator=(const StallLog&) = delete;

private:
    explicit StallLog(std::FILE* file);
    void Beat();

    std::FILE* file_;
    QTimer beat_;
    std::chrono::steady_clock::time_point last_;
};
