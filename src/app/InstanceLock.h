#pragma once
// A lock file that the running instance holds for its whole life. Taking it is one atomic step,
// so of two starts at the same moment exactly one gets it; the system lets it go when the
// process ends, however it ends, so a crashed instance leaves nothing that blocks the next.
#include <filesystem>
#include <optional>
#include <string>

class InstanceLock {
public:
    enum class State {
        Held,      // this object holds the lock
        Taken,     // another process holds it
        Unusable,  // the lock file cannot be made or locked
    };

    explicit InstanceLock(std::filesystem::path file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock without waiting.
    State TryTake();

    // The folder of the lock and of the instance's socket, decided here alone: $XDG_RUNTIME_DIR
    // when it is an absolute path to a folder only the user can change, else the user's config
    // folder (made for the user alone when missing) when only the user can change that; either
    // only when a socket of that name fits in it. Nothing when neither is safe from other users,
    // who could otherwise put a lock or a socket of their own in the instance's place.
    static std::optional<std::filesystem::path> Folder(const std::string& socketName);
    // The lock file for a socket's name in its Folder(); empty when there is no such folder.
    static std::filesystem::path FileFor(const std::string& socketName);

private:
    std::filesystem::path file_;
    int descriptor_ = -1;
};
