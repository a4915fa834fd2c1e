// Reads arbitrary bytes as a key coordinates file. Every key read carries its position in the
// file as its order, whatever the attributes hold.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "widgets/CoordsFile.h"

namespace {

std::string g_file;

bool WriteFile(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(g_file.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void RemoveFile() {
    std::remove(g_file.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TMPDIR");
    g_file = std::string(folder && *folder ? folder : "/tmp") + "/coords-" +
             std::to_string(getpid()) + ".xml";
    std::atexit(RemoveFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!WriteFile(data, size)) return 0;
    const std::vector<CoordButtonInfo> keys = SOUI::ReadCoordsFile(g_file);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].order != static_cast<int32_t>(i)) __builtin_trap();
    }
    return 0;
}
