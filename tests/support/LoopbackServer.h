#pragma once

#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace corvano::test {

// An HTTP server on 127.0.0.1 and a free port, running on its own thread for one test. It counts
// the requests for each path (a proxy is asked for whole addresses, which count as such).
class LoopbackServer
{
public:
    // Bound at once, so that a page may name the server's own address before it starts.
    LoopbackServer()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            throw std::runtime_error("cannot bind a loopback port");
        // One request a connection: an idle client's connection would hold up the stop.
        m_server.set_keep_alive_max_count(1);
        m_server.set_pre_routing_handler([this](const httplib::Request& request, auto&) {
            const std::lock_guard lock(m_mutex);
            ++m_requests[request.path];
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }
    ~LoopbackServer() { stop(); }

    httplib::Server& routes() { return m_server; }
    // A route that always answers with this body and content type.
    void serve(const std::string& path, std::string body, std::string type = "text/html")
    {
        m_server.Get(path, [body, type](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, type);
        });
    }
    // A route that answers only after the delay; at the stop it gives up with 503 at once.
    void hold(const std::string& path, std::string body, std::chrono::milliseconds delay)
    {
        m_server.Get(path, [this, body, delay](const httplib::Request&, auto& response) {
            std::unique_lock lock(m_mutex);
            if (m_released.wait_for(lock, delay, [this] { return m_stopping; }))
                response.status = 503;
            else
                response.set_content(body, "text/html; charset=UTF-8");
        });
    }
    // Starts listening; call after the routes are set.
    void start()
    {
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() only reaches a server that runs; wait for it so an early stop cannot be lost.
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_released.notify_all();
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }
    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    int requests(const std::string& path) const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests.contains(path) ? m_requests.at(path) : 0;
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_stopping = false;
    std::map<std::string, int> m_requests;
};

} // namespace corvano::test
