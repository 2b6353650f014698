#pragma once

#include "Window.h"
#include "platform/EventPoster.h"

namespace corvano {

// Hands events from any thread to the message loop of the thread that made the poster,
// through a message-only window. Events still queued when the poster is destroyed are
// dropped; destroy whatever posts (a transfer) before its poster.
class Win32EventPoster : public EventPoster, private Window
{
public:
    Win32EventPoster();
    ~Win32EventPoster() override;

    void post(std::function<void()> event) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace corvano
