#include "app/StallLog.h"

#include <cstdlib>

std::unique_ptr<StallLog> StallLog::FromEnvironment() {
    const char* path = std::getenv("KEYLUME_STALL_LOG");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "a");
    if (!file) return nullptr;
    return std::unique_ptr<StallLog>(new StallLog(file));
}

StallLog::StallLog(std::FILE* file) : file_(file), last_(std::chrono::steady_clock::now()) {
    beat_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat_, &QTimer::timeout, [this] { Beat(); });
    beat_.start(1);
}

StallLog::~StallLog() {
    std::fclose(file_);
}

void StallLog::Beat() {
    const auto now = std::chrono::steady_clock::now();
    const auto gap = now - last_;
    last_ = now;
    if (gap <= kReportedStall) return;
    std::fprintf(file_, "%lld %lld\n", static_cast<long long>(now.time_since_epoch().count()),
                 static_cast<long long>(std::chrono::nanoseconds(gap).count()));
    std::fflush(file_);
}
