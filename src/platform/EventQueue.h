#pragma once

#include "EventPoster.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace corvano {

// A toolkit-free event loop for one thread: posted events and repeating timers. Waiting
// blocks on a condition variable until an event is posted or a timer falls due.
class EventQueue : public EventPoster
{
public:
    using Clock = std::chrono::steady_clock;
    using TimerId = std::size_t;

    void post(std::function<void()> event) override;

    TimerId addTimer(std::chrono::milliseconds interval, std::function<void()> handler);
    void setTimerEnabled(TimerId timer, bool enabled);
    bool timerEnabled(TimerId timer) const;

    // Runs what is due; when nothing is, blocks until something is and runs that.
    void processEvents();
    // Runs what is due without blocking; returns whether anything ran.
    bool processPendingEvents();

private:
    struct Timer
    {
        std::chrono::milliseconds interval;
        std::function<void()> handler;
        bool enabled = false;
        Clock::time_point due;
    };

    bool runDueTimers();
    bool runPostedEvents();
    void waitForWork();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_events;
    std::vector<Timer> m_timers;
};

} // namespace corvano
