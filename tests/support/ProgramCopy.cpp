#include "ProgramCopy.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// What the build leaves beside the executable that no program run reads, and the user's own
// files a run in the build tree may have left there.
bool LeftOut(const fs::path& name) {
    const std::string text = name.string();
    return name == "macro.xml" || name == "rules.xml" ||
           text.find(".damaged-") != std::string::npos || name == "CMakeFiles" ||
           text.ends_with("_autogen") || name.extension() == ".cmake" || name.extension() == ".a" ||
           name == "Makefile";
}

}  // namespace

fs::path CopyProgram(const fs::path& built, const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path executable = folder / built.filename();
    std::error_code linked;
    fs::create_hard_link(built, executable, linked);
    if (linked) fs::copy_file(built, executable);
    for (const auto& entry : fs::directory_iterator(built.parent_path())) {
        const fs::path name = entry.path().filename();
        if (name != built.filename() && !LeftOut(name))
            fs::create_symlink(entry.path(), folder / name);
    }
    return executable;
}

}  // namespace testsupport
