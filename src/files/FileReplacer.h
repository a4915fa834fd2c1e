#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace files {

// The system calls a file replacement is made of. Tests override single calls to make a step
// fail or to stop the process half-way through it.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, size_t size);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
};

// What became of a replacement: true when done, else why not in words (the system's own reason
// where it gave one).
struct Replaced {
    std::string error;
    explicit operator bool() const { return error.empty(); }
};

// Replaces a file as one step: the new content goes to a temporary file in the same folder, is
// flushed to disk and then renamed over the target. Whatever fails, and wherever the process
// dies, the target keeps either its old or its new content, never a part of it. A temporary
// left by a process that died while saving is removed by the next successful replacement.
//
// A file the user write-protected is never replaced. A new file is readable by the user alone;
// a replaced one keeps the permissions it had. A link is followed only when it is safe to (see
// FileReplacer.cpp), else the replacement is refused.
class FileReplacer {
public:
    explicit FileReplacer(std::shared_ptr<FileSystemCalls> calls = nullptr);

    Replaced Replace(const std::filesystem::path& target, std::string_view content) const;

private:
    enum class Outcome { Written, NameTaken, NotCreated };

    bool WriteAll(int fd, std::string_view content) const;
    // Writes and flushes a new file; removes it again when that fails, keeping errno.
    Outcome WriteTemporary(const std::filesystem::path& temporary, std::string_view content,
                           mode_t mode) const;
    // Removes the temporaries of `target` that processes killed while saving left behind.
    void RemoveLeftovers(const std::filesystem::path& target) const;

    std::shared_ptr<FileSystemCalls> calls_;
};

// True when `file` exists and may not be written: the system says so, or the user took every
// write permission away (which counts even for a user the system would let write).
bool WriteProtected(const std::filesystem::path& file);

}  // namespace files
