#pragma once

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "files/FileReplacer.h"

namespace files_test {

// File calls that fail, or stop the process, at a chosen step of a replacement.
class FailingFileCalls : public files::FileSystemCalls {
public:
    enum class Step { None, Open, WriteHalf, Sync, Rename, DieAfterHalf };

    explicit FailingFileCalls(Step failing, int error = EIO) : failing_(failing), error_(error) {}

    int Open(const char* path, int flags, mode_t mode) override {
        if (failing_ == Step::Open) {
            errno = error_;
            return -1;
        }
        return FileSystemCalls::Open(path, flags, mode);
    }

    ssize_t Write(int fd, const void* data, size_t size) override {
        if (failing_ != Step::WriteHalf && failing_ != Step::DieAfterHalf) {
            return FileSystemCalls::Write(fd, data, size);
        }
        if (!halfWritten_) {
            halfWritten_ = true;
            return FileSystemCalls::Write(fd, data, size / 2);
        }
        if (failing_ == Step::DieAfterHalf) {
            ::_exit(9);  // as if the process were killed in the middle of the save
        }
        errno = error_;
        return -1;
    }

    int Sync(int fd) override {
        if (failing_ == Step::Sync) {
            errno = error_;
            return -1;
        }
        return FileSystemCalls::Sync(fd);
    }

    int Rename(const char* from, const char* to) override {
        if (failing_ == Step::Rename) {
            errno = error_;
            return -1;
        }
        return FileSystemCalls::Rename(from, to);
    }

private:
    Step failing_;
    int error_;
    bool halfWritten_ = false;
};

}  // namespace files_test
