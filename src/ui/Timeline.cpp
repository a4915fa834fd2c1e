#include "ui/Timeline.h"

#include <algorithm>

namespace SOUI {

STimeline::STimeline() {
    m_timer.setInterval(kFrameMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

void STimeline::RegisterHandler(ITimelineHandler* handler) {
    if (handler && !IsRegistered(handler)) m_handlers.push_back(handler);
    Wake();
}

void STimeline::UnregisterHandler(ITimelineHandler* handler) {
    std::erase(m_handlers, handler);
}

bool STimeline::IsRegistered(ITimelineHandler* handler) const {
    return std::find(m_handlers.begin(), m_handlers.end(), handler) != m_handlers.end();
}

void STimeline::Tick() {
    const auto handlers = m_handlers;
    for (ITimelineHandler* h : handlers)
        if (IsRegistered(h)) h->OnNextFrame();
    if (!AnyWantsFrames()) m_timer.stop();
}

void STimeline::Start() {
    m_started = true;
    Wake();
}

void STimeline::Stop() {
    m_started = false;
    m_timer.stop();
}

void STimeline::Wake() {
    if (m_started && !m_timer.isActive() && AnyWantsFrames()) m_timer.start();
}

bool STimeline::AnyWantsFrames() const {
    return std::any_of(m_handlers.begin(), m_handlers.end(),
                       [](const ITimelineHandler* h) { return h->WantsFrames(); });
}

}  // namespace SOUI
