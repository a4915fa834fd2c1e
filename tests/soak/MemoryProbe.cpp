#include "MemoryProbe.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace {

long StatusField(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    }
    return 0;
}

}  // namespace

long PeakMemoryKiB() {
    // The high-water mark of the resident set, kept by the kernel.
    return StatusField("VmHWM");
}

long ResidentMemoryKiB() {
    return StatusField("VmRSS");
}

long HeapInUseKiB() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}
