#include "EventQueue.h"

#include <algorithm>

namespace corvano {

void EventQueue::post(std::function<void()> event)
{
    {
        const std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(event));
    }
    m_wake.notify_one();
}

EventQueue::TimerId EventQueue::addTimer(std::chrono::milliseconds interval,
                                         std::function<void()> handler)
{
    m_timers.push_back(Timer{interval, std::move(handler), false, Clock::now()});
    return m_timers.size() - 1;
}

void EventQueue::setTimerEnabled(TimerId timer, bool enabled)
{
    Timer& t = m_timers.at(timer);
    if (enabled && !t.enabled)
        t.due = Clock::now() + t.interval;
    t.enabled = enabled;
}

bool EventQueue::timerEnabled(TimerId timer) const
{
    return m_timers.at(timer).enabled;
}

void EventQueue::processEvents()
{
    while (!processPendingEvents())
        waitForWork();
}

bool EventQueue::processPendingEvents()
{
    const bool ranEvents = runPostedEvents();
    const bool ranTimers = runDueTimers();
    return ranEvents || ranTimers;
}

bool EventQueue::runPostedEvents()
{
    std::deque<std::function<void()>> events;
    {
        const std::lock_guard lock(m_mutex);
        events.swap(m_events);
    }
    for (auto& event : events)
        event();
    return !events.empty();
}

bool EventQueue::runDueTimers()
{
    bool ran = false;
    const auto now = Clock::now();
    for (auto& timer : m_timers) {
        if (!timer.enabled || timer.due > now)
            continue;
        timer.due = now + timer.interval;
        ran = true;
        timer.handler();
    }
    return ran;
}

void EventQueue::waitForWork()
{
    std::unique_lock lock(m_mutex);
    auto until = Clock::time_point::max();
    for (const auto& timer : m_timers) {
        if (timer.enabled)
            until = std::min(until, timer.due);
    }
    auto hasEvents = [this] { return !m_events.empty(); };
    if (until == Clock::time_point::max())
        m_wake.wait(lock, hasEvents);
    else
        m_wake.wait_until(lock, until, hasEvents);
}

} // namespace corvano
