#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace corvano::test {

// A TCP server on 127.0.0.1 and a free port that hands every connection to a handler as a
// socket, for peers that do not speak HTTP properly. Handlers should poll stopping() so the
// server can end them.
class RawServer
{
public:
    using Handler = std::function<void(int socket, const std::atomic_bool& stopping)>;

    explicit RawServer(Handler handler);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string url(const std::string& path) const;

    // Reads the request head, up to the blank line.
    static std::string readRequest(int socket);
    static void send(int socket, const std::string& bytes);
    // Closes so the peer sees a reset, not an orderly end.
    static void reset(int socket);

private:
    void acceptLoop();

    Handler m_handler;
    int m_listener = -1;
    int m_port = 0;
    std::atomic_bool m_stopping{false};
    std::thread m_acceptor;
    std::vector<std::thread> m_connections;
};

} // namespace corvano::test
