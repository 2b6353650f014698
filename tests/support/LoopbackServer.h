#pragma once

#include <chrono>
#include <httplib.h>
#include <stdexcept>
#include <string>
#include <thread>

namespace corvano::test {

// An HTTP server on 127.0.0.1 and a free port, running on its own thread for one test.
class LoopbackServer
{
public:
    ~LoopbackServer() { stop(); }

    httplib::Server& routes() { return m_server; }
    // A route that always answers with this body and content type.
    void serve(const std::string& path, std::string body, std::string type = "text/html")
    {
        m_server.Get(path, [body, type](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, type);
        });
    }
    // Starts listening; call after the routes are set.
    void start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            throw std::runtime_error("cannot bind a loopback port");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() only reaches a server that runs; wait for it so an early stop cannot be lost.
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void stop()
    {
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }
    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace corvano::test
