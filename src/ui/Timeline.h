#pragma once
// Ticks every registered handler once per 10 ms frame on the UI thread.
#include <QTimer>
#include <vector>

namespace SOUI {

class ITimelineHandler {
public:
    virtual ~ITimelineHandler() = default;
    virtual void OnNextFrame() = 0;
};

class STimeline {
public:
    static constexpr int kFrameMs = 10;

    STimeline();
    void RegisterHandler(ITimelineHandler* handler);
    void UnregisterHandler(ITimelineHandler* handler);
    bool IsRegistered(ITimelineHandler* handler) const;
    // One frame: each handler registered when the frame starts and still registered
    // when its turn comes is ticked once.
    void Tick();
    void Start() { m_timer.start(); }
    void Stop() { m_timer.stop(); }

private:
    std::vector<ITimelineHandler*> m_handlers;
    QTimer m_timer;
};

}  // namespace SOUI
