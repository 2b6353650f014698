#pragma once

#include "ThreadedTransfer.h"

#include <chrono>

namespace corvano {

// The HTTP GET on libcurl. The request runs on a worker thread; its progress and its result
// reach the caller only as events posted to the user-interface thread.
class CurlTransfer : public ThreadedTransfer
{
public:
    explicit CurlTransfer(EventPoster& poster, std::chrono::seconds idleLimit = kDefaultIdleLimit);

private:
    class Worker;
    class Control;
};

} // namespace corvano
