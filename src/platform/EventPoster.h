#pragma once

#include <functional>

namespace corvano {

// Hands work to the user-interface thread: the event runs there, inside event processing.
// post() may be called from any thread.
class EventPoster
{
public:
    virtual ~EventPoster() = default;
    virtual void post(std::function<void()> event) = 0;
};

} // namespace corvano
