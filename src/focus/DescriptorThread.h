#pragma once
// A thread that waits for a file descriptor to become readable and hands it to a reader, until
// it is stopped or the reader says the source is gone.
#include <functional>
#include <thread>

namespace focus {

class DescriptorThread {
public:
    // `read` runs on the thread whenever `descriptor` is readable; false ends the thread.
    DescriptorThread(int descriptor, std::function<bool()> read);
    // Stops the thread and waits for it.
    ~DescriptorThread();
    DescriptorThread(const DescriptorThread&) = delete;
    DescriptorThread& operator=(const DescriptorThread&) = delete;

private:
    void Run(int descriptor, const std::function<bool()>& read) const;

    int stop_ = -1;  // an eventfd written to stop the thread
    std::thread thread_;
};

}  // namespace focus
