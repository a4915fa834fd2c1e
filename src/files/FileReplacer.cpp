#include "files/FileReplacer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <system_error>

#include "files/LinkTarget.h"

namespace files {
namespace {

// A new file may hold what the user typed (a macro can hold a password): the user's alone.
constexpr mode_t kNewFileMode = 0600;
constexpr int kTemporaryNameAttempts = 16;

std::atomic<unsigned> temporaryCounter{0};

// Temporaries are named ".<target name>.<process id>-<counter>.tmp".
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".";
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    std::string name = TemporaryPrefix(target) + std::to_string(::getpid()) + "-" +
                       std::to_string(temporaryCounter.fetch_add(1)) +
                       std::string(kTemporarySuffix);
    return target.parent_path() / name;
}

// The process that wrote a temporary of the target named `name`; 0 when it is not one.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix)) {
        return 0;
    }
    name.remove_prefix(prefix.size());
    name.remove_suffix(kTemporarySuffix.size());
    const char* const end = name.data() + name.size();
    pid_t writer = 0;
    auto [dash, error] = std::from_chars(name.data(), end, writer);
    unsigned counter = 0;
    if (error != std::errc() || dash == end || *dash != '-' ||
        std::from_chars(dash + 1, end, counter).ptr != end) {
        return 0;
    }
    return writer;
}

// Only a writer that no longer exists is sure to have given up its temporary.
bool WriterIsGone(pid_t writer) {
    return writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH;
}

// A replaced file keeps the permissions the user gave it, which are never wider than before:
// a file the user shares stays shared. Only the permission bits are kept, never set-id or
// sticky bits. 0 when there is no file.
mode_t ExistingMode(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return 0;
    }
    return info.st_mode & 0777;
}

// The system's reason; a call that failed without giving one counts as an input/output error.
Replaced Failed(int error) {
    return {std::strerror(error != 0 ? error : EIO)};
}

}  // namespace

int FileSystemCalls::Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t FileSystemCalls::Write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}
int FileSystemCalls::Sync(int fd) {
    return ::fsync(fd);
}
int FileSystemCalls::Close(int fd) {
    return ::close(fd);
}
int FileSystemCalls::Rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int FileSystemCalls::Unlink(const char* path) {
    return ::unlink(path);
}

FileReplacer::FileReplacer(std::shared_ptr<FileSystemCalls> calls)
    : calls_(calls ? std::move(calls) : std::make_shared<FileSystemCalls>()) {}

bool FileReplacer::WriteAll(int fd, std::string_view content) const {
    while (!content.empty()) {
        const ssize_t written = calls_->Write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

FileReplacer::Outcome FileReplacer::WriteTemporary(const std::filesystem::path& temporary,
                                                   std::string_view content, mode_t mode) const {
    const int fd =
        calls_->Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd < 0) {
        return errno == EEXIST ? Outcome::NameTaken : Outcome::NotCreated;
    }
    if (mode != 0) {
        ::fchmod(fd, mode);
    }
    const bool written = WriteAll(fd, content) && calls_->Sync(fd) == 0;
    int error = errno;
    const bool closed = calls_->Close(fd) == 0;
    if (written && closed) {
        return Outcome::Written;
    }
    if (written) {
        error = errno;
    }
    calls_->Unlink(temporary.c_str());
    errno = error;
    return Outcome::NotCreated;
}

void FileReplacer::RemoveLeftovers(const std::filesystem::path& target) const {
    const std::string prefix = TemporaryPrefix(target);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (WriterIsGone(WriterOf(entry->path().filename().string(), prefix))) {
            calls_->Unlink(entry->path().c_str());
        }
    }
}

Replaced FileReplacer::Replace(const std::filesystem::path& target,
                               std::string_view content) const {
    const LinkTarget link = FollowLinks(target);
    if (link.file.empty()) {
        return {link.refusal};
    }
    const std::filesystem::path& resolved = link.file;
    if (WriteProtected(resolved)) {
        return Failed(EACCES);
    }
    const mode_t mode = ExistingMode(resolved);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path temporary = TemporaryNameFor(resolved);
        const Outcome outcome = WriteTemporary(temporary, content, mode);
        if (outcome == Outcome::NameTaken) {
            continue;  // left behind by an earlier run that died
        }
        if (outcome == Outcome::NotCreated) {
            return Failed(errno);
        }
        if (calls_->Rename(temporary.c_str(), resolved.c_str()) != 0) {
            const int error = errno;
            calls_->Unlink(temporary.c_str());
            return Failed(error);
        }
        // The folder is not synced: until the system writes it back, a power cut brings back
        // the previous file, whole. That costs one save, not the file, and keeps a second
        // disk flush off the dispatcher thread.
        RemoveLeftovers(resolved);
        return {};
    }
    return Failed(EEXIST);
}

bool WriteProtected(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::exists(status)) return false;
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & write) == fs::perms::none || ::access(file.c_str(), W_OK) != 0;
}

}  // namespace files
