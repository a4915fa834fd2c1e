#include "files/DamagedCopy.h"

#include <chrono>
#include <ctime>
#include <string>

namespace files {

namespace fs = std::filesystem;

namespace {

fs::path DamagedCopyName(const fs::path& file, int attempt) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = file.filename().string() + ".damaged-" + stamp;
    if (attempt > 0) name += "-" + std::to_string(attempt + 1);
    return file.parent_path() / name;
}

}  // namespace

std::optional<fs::path> KeepDamagedCopy(const fs::path& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path copy = DamagedCopyName(file, attempt);
        std::error_code error;
        if (fs::exists(copy, error)) continue;
        if (!fs::copy_file(file, copy, error)) return std::nullopt;
        // The copy may hold what the user typed, as the file does: the user's alone.
        fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, error);
        return copy;
    }
    return std::nullopt;
}

}  // namespace files
