#pragma once
// A lock file that the running instance holds for its whole life. Taking it is one atomic step,
// so of two starts at the same moment exactly one gets it; the system lets it go when the
// process ends, however it ends, so a crashed instance leaves nothing that blocks the next.
#include <filesystem>
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

    // The lock file for a name: in $XDG_RUNTIME_DIR, or in the user's config folder when that
    // is unset or not an absolute path.
    static std::filesystem::path FileFor(const std::string& name);

private:
    std::filesystem::path file_;
    int descriptor_ = -1;
};
