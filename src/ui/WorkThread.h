#pragma once
// Work that would keep the window's thread waiting (a file written to the disk, folders read)
// done on a thread of its own, one job after another in the order posted. What a job returns
// then runs on the thread that made the work thread, the window's.
#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace SOUI {

class SWorkThread {
public:
    using Reply = std::function<void()>;
    using Job = std::function<Reply()>;

    SWorkThread();
    // Finishes every job posted, so none is lost; replies not run by then are dropped.
    ~SWorkThread();
    SWorkThread(const SWorkThread&) = delete;
    SWorkThread& operator=(const SWorkThread&) = delete;

    void Post(Job job);

private:
    void Loop();

    QObject context_;  // the replies' receiver, on the window's thread
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;  // last: started once the members above exist
};

}  // namespace SOUI
