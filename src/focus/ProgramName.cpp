#include "focus/ProgramName.h"

#include <filesystem>
#include <fstream>

namespace focus {

std::string ProgramName(long pid) {
    if (pid <= 0) return {};
    const std::filesystem::path process = "/proc/" + std::to_string(pid);
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink(process / "exe", error);
    if (!error) return executable.filename().string();
    std::string name;
    std::getline(std::ifstream(process / "comm"), name);
    return name;
}

}  // namespace focus
