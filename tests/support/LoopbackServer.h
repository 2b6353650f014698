#pragma once

#include <httplib.h>
#include <string>
#include <thread>

namespace corvano::test {

// An HTTP server on 127.0.0.1 and a free port, running on its own thread for one test.
class LoopbackServer
{
public:
    LoopbackServer() = default;
    ~LoopbackServer() { stop(); }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& routes() { return m_server; }
    // Starts listening; call after the routes are set.
    void start();
    void stop();
    int port() const { return m_port; }
    std::string url(const std::string& path) const;

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace corvano::test
