#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "files/PrivateFolder.h"
#include "persist/AppPaths.h"

namespace fs = std::filesystem;

InstanceLock::InstanceLock(fs::path file) : file_(std::move(file)) {}

InstanceLock::~InstanceLock() {
    if (descriptor_ >= 0) close(descriptor_);
}

InstanceLock::State InstanceLock::TryTake() {
    if (descriptor_ >= 0) return State::Held;
    if (file_.empty()) return State::Unusable;
    // A folder made here holds only the user's own files.
    files::MakePrivateFolder(file_.parent_path());
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

namespace {

// The instance socket lives beside the lock, and a socket's path has room for 107 bytes. A folder
// without room for it would leave the first start deaf to the next.
bool RoomForTheSocket(const fs::path& folder, const std::string& socketName) {
    return (folder / socketName).native().size() < sizeof(sockaddr_un::sun_path);
}

}  // namespace

std::optional<fs::path> InstanceLock::Folder(const std::string& socketName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && RoomForTheSocket(runtime, socketName) &&
        files::OnlyUserCanChange(runtime))
        return fs::path(runtime);
    const fs::path config = AppPaths::UserConfigFolder(AppPaths::Environment::FromProcess());
    if (RoomForTheSocket(config, socketName) && files::MakePrivateFolder(config) &&
        files::OnlyUserCanChange(config))
        return config;
    return std::nullopt;
}

fs::path InstanceLock::FileFor(const std::string& socketName) {
    const std::optional<fs::path> folder = Folder(socketName);
    return folder ? *folder / (socketName + ".lock") : fs::path();
}
