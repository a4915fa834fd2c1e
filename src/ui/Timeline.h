#pragma once
// Ticks every registered handler once per 10 ms frame on the UI thread, but only while one of
// them has something to move: an idle window never wakes for it.
#include <QTimer>
#include <vector>

namespace SOUI {

class ITimelineHandler {
public:
    virtual ~ITimelineHandler() = default;
    virtual void OnNextFrame() = 0;
    // Whether a frame would change anything now. A handler that starts to move again calls
    // STimeline::Wake (or WakeTimeline), since a sleeping timeline asks nobody.
    virtual bool WantsFrames() const { return true; }
};

class STimeline {
public:
    static constexpr int kFrameMs = 10;

    STimeline();
    // Registering wakes the timeline when the handler wants frames.
    void RegisterHandler(ITimelineHandler* handler);
    void UnregisterHandler(ITimelineHandler* handler);
    bool IsRegistered(ITimelineHandler* handler) const;
    // One frame: each handler registered when the frame starts and still registered
    // when its turn comes is ticked once. Afterwards the timer sleeps if nobody wants frames.
    void Tick();
    // Lets the timer run; it fires only while some handler wants frames.
    void Start();
    void Stop();
    // Runs the timer again if it was started and a handler wants frames.
    void Wake();
    bool IsTicking() const { return m_timer.isActive(); }

private:
    bool AnyWantsFrames() const;

    std::vector<ITimelineHandler*> m_handlers;
    QTimer m_timer;
    bool m_started = false;
};

}  // namespace SOUI
