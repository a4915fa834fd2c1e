#pragma once
// An X server of a test's own (Xvfb on a free display), ended with the object.
#include <sys/types.h>

#include <string>

namespace testsupport {

class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", or empty when Xvfb did not start.
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace testsupport
