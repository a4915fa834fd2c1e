#pragma once

#include <condition_variable>
#include <mutex>

// Lets an object's destructor wait until none of its hooks runs and keeps later ones out.
// Every hook holds a Pass for its whole run and returns at once when the pass is refused.
class HookGate {
public:
    class Pass {
    public:
        explicit Pass(HookGate& gate);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        explicit operator bool() const { return admitted_; }

    private:
        HookGate& gate_;
        bool admitted_;
    };

    // Refuses every later pass.
    void Shut();
    // Shut, then wait until the passes held are returned. Must not be called while the calling
    // thread holds a pass.
    void Close();
    bool IsClosed() const;

private:
    bool Enter();
    void Leave();

    mutable std::mutex mutex_;
    std::condition_variable idle_;
    int active_ = 0;
    bool closed_ = false;
};
