#include "support/XvfbServer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace testsupport {

XvfbServer::XvfbServer() {
    int pipe_[2];
    if (pipe(pipe_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(pipe_[0]);
        const std::string fd = std::to_string(pipe_[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr);
        _exit(127);
    }
    close(pipe_[1]);
    // Xvfb writes the number and then its line's end, and dies when the second write finds the
    // pipe closed: read the whole line.
    std::string line;
    char c = 0;
    while (pid_ > 0 && line.size() < 16 && read(pipe_[0], &c, 1) == 1 && c != '\n') line += c;
    if (c == '\n' && !line.empty()) display_ = ":" + line;
    close(pipe_[0]);
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

}  // namespace testsupport
