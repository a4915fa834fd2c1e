#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "persist/AppPaths.h"

namespace fs = std::filesystem;

InstanceLock::InstanceLock(fs::path file) : file_(std::move(file)) {}

InstanceLock::~InstanceLock() {
    if (descriptor_ >= 0) close(descriptor_);
}

InstanceLock::State InstanceLock::TryTake() {
    if (descriptor_ >= 0) return State::Held;
    std::error_code error;
    // A folder made here holds only the user's own files.
    if (fs::create_directories(file_.parent_path(), error))
        fs::permissions(file_.parent_path(), fs::perms::owner_all, fs::perm_options::replace,
                        error);
    const int descriptor = open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) return State::Unusable;
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        descriptor_ = descriptor;
        return State::Held;
    }
    const bool taken = errno == EWOULDBLOCK;
    close(descriptor);
    return taken ? State::Taken : State::Unusable;
}

fs::path InstanceLock::FileFor(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const fs::path folder = runtime && runtime[0] == '/'
                                ? fs::path(runtime)
                                : AppPaths::UserConfigFolder(AppPaths::Environment::FromProcess());
    return folder / (name + ".lock");
}
