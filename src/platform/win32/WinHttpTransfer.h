#pragma once

#include "platform/ThreadedTransfer.h"

#include <chrono>

namespace corvano {

// The HTTP GET on Windows, through WinHTTP in its asynchronous mode. A worker thread starts
// each step and blocks on the events that WinHTTP's completions and a cancel set, never
// polling; progress and the result reach the caller as events posted to its thread, as the
// transfer on libcurl does.
class WinHttpTransfer : public ThreadedTransfer
{
public:
    static constexpr int kMaxRedirects = 10;

    explicit WinHttpTransfer(EventPoster& poster,
                             std::chrono::seconds idleLimit = kDefaultIdleLimit);

private:
    class Worker;
    class Control;
};

} // namespace corvano
