#include "support/ProcessActivity.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// Sum of "voluntary_ctxt_switches" and "nonvoluntary_ctxt_switches" of one status file.
long long SwitchesOf(const std::filesystem::path& status) {
    std::ifstream in(status);
    long long total = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find("ctxt_switches:") == std::string::npos) continue;
        std::istringstream fields(line.substr(line.find(':') + 1));
        long long value = 0;
        if (fields >> value) total += value;
    }
    return total;
}

std::string NameOf(const std::filesystem::path& task) {
    std::ifstream in(task / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

std::chrono::nanoseconds ProcessCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

ActivitySample SampleActivity() {
    ActivitySample sample;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        int id = 0;
        if (!(std::istringstream(task.path().filename().string()) >> id)) continue;
        // A thread may end while it is read; it then counts as gone.
        if (!std::filesystem::exists(task.path() / "status")) continue;
        sample.threads[id] = {NameOf(task.path()), SwitchesOf(task.path() / "status")};
    }
    sample.cpuTime = ProcessCpuTime();
    sample.takenAt = std::chrono::steady_clock::now();
    return sample;
}

ActivityRate RateBetween(const ActivitySample& before, const ActivitySample& after) {
    ActivityRate rate;
    long long switches = 0;
    for (const auto& [id, thread] : after.threads) {
        auto earlier = before.threads.find(id);
        long long woke = thread.switches;
        if (earlier != before.threads.end()) woke -= earlier->second.switches;
        if (woke <= 0) continue;
        switches += woke;
        rate.byThread[id] = {thread.name, woke};
    }
    const double seconds = std::chrono::duration<double>(after.takenAt - before.takenAt).count();
    if (seconds <= 0) return rate;
    rate.wakeupsPerSecond = static_cast<double>(switches) / seconds;
    const double cpu = std::chrono::duration<double>(after.cpuTime - before.cpuTime).count();
    rate.corePercent = 100.0 * cpu / seconds;
    return rate;
}

std::string Describe(const ActivityRate& rate) {
    std::ostringstream out;
    out << rate.wakeupsPerSecond << " wake-ups/s, " << rate.corePercent << " % of a core\n";
    for (const auto& [id, thread] : rate.byThread)
        out << "  thread " << id << " (" << thread.name << "): " << thread.switches << "\n";
    return out.str();
}

ActivityRate RateWhileSleeping(std::chrono::milliseconds span) {
    const ActivitySample before = SampleActivity();
    std::this_thread::sleep_for(span);
    return RateBetween(before, SampleActivity());
}
