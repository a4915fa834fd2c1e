#include "persist/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "files/PrivateFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kConfigName = "config.xml";
constexpr const char* kMacroName = "macro.xml";
constexpr const char* kUiFolderName = "uires";
constexpr const char* kProgramName = "keylume";

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::string> HomeFromPasswordFile() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

// $XDG_CONFIG_HOME counts only when it is an absolute path; otherwise ~/.config.
fs::path ConfigHome(const AppPaths::Environment& env) {
    if (env.xdgConfigHome && !env.xdgConfigHome->empty() && env.xdgConfigHome->front() == '/') {
        return fs::path(*env.xdgConfigHome);
    }
    std::optional<std::string> home = env.home;
    if (!home || home->empty()) {
        home = HomeFromPasswordFile();
    }
    return fs::path(home.value_or("/")) / ".config";
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

fs::path RunningExecutable() {
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        executable = fs::current_path(error) / kProgramName;
    }
    return executable;
}

}  // namespace

AppPaths::Environment AppPaths::Environment::FromProcess() {
    return {Variable("XDG_CONFIG_HOME"), Variable("HOME")};
}

AppPaths AppPaths::Resolve(const fs::path& executable, const Environment& env) {
    AppPaths paths;
    const fs::path programFolder = executable.parent_path();
    if (IsFolder(programFolder / kUiFolderName)) {
        paths.portable = true;
        paths.dataFolder = programFolder;
        paths.userFolder = programFolder;
        paths.configFile = programFolder / kConfigName;
        paths.shippedConfigFile = paths.configFile;
        paths.macroFile = programFolder / kMacroName;
        return paths;
    }
    // Installed as <prefix>/bin/keylume.
    const fs::path prefix = programFolder.parent_path();
    paths.dataFolder = prefix / "share" / kProgramName;
    paths.userFolder = UserConfigFolder(env);
    const fs::path userConfig = paths.userFolder / kConfigName;
    paths.shippedConfigFile = paths.dataFolder / kConfigName;
    paths.configFile = IsFile(userConfig) ? userConfig : paths.shippedConfigFile;
    paths.macroFile = paths.userFolder / kMacroName;
    return paths;
}

fs::path AppPaths::HelperFolder(const fs::path& programFolder) {
    if (IsFolder(programFolder / kUiFolderName)) return programFolder;
    return programFolder.parent_path() / "libexec" / kProgramName;
}

fs::path AppPaths::UserConfigFolder(const Environment& env) {
    return ConfigHome(env) / kProgramName;
}

AppPaths AppPaths::ForThisProcess() {
    return Resolve(RunningExecutable(), Environment::FromProcess());
}

bool AppPaths::PrepareUserFolder() const {
    // The user's settings and macros are private to the user.
    return files::MakePrivateFolder(userFolder);
}
