#include "focus/DescriptorThread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace focus {

DescriptorThread::DescriptorThread(int descriptor, std::function<bool()> read)
    : stop_(eventfd(0, EFD_CLOEXEC)) {
    if (stop_ < 0) return;
    thread_ = std::thread([this, descriptor, read = std::move(read)] { Run(descriptor, read); });
}

DescriptorThread::~DescriptorThread() {
    if (stop_ < 0) return;
    const std::uint64_t one = 1;
    if (write(stop_, &one, sizeof one) != sizeof one) {
        // An eventfd's counter takes this write unless it overflows, which one write cannot.
    }
    if (thread_.joinable()) thread_.join();
    close(stop_);
}

void DescriptorThread::Run(int descriptor, const std::function<bool()>& read) const {
    pollfd waits[2] = {{descriptor, POLLIN, 0}, {stop_, POLLIN, 0}};
    for (;;) {
        if (poll(waits, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (waits[1].revents) return;
        if (waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return;
        if ((waits[0].revents & POLLIN) && !read()) return;
    }
}

}  // namespace focus
