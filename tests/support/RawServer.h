#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace corvano::test {

// A TCP server on a loopback port for replies that are not proper HTTP: per connection it
// reads the request head, sends the reply, then closes, resets (a moment later, so the reply
// arrives first) or holds it; Drip sends the head at once and the body a byte every 0.3 s.
class RawServer
{
public:
    enum class Then
    {
        Close,
        Reset,
        Hold,
        Drip
    };

    RawServer(std::string reply, Then then)
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* name = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_listener, name, length) != 0 || ::listen(m_listener, 8) != 0 ||
            ::getsockname(m_listener, name, &length) != 0)
            throw std::runtime_error("cannot listen on a loopback port");
        m_url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
        m_thread = std::jthread([this, reply, then](std::stop_token stop) {
            for (pollfd listener{m_listener, POLLIN, 0}; !stop.stop_requested();) {
                if (::poll(&listener, 1, 10) > 0)
                    serve(::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC), reply, then, stop);
            }
            ::close(m_listener);
        });
    }

    const std::string& url() const { return m_url; }

private:
    static void serve(int socket, const std::string& reply, Then then, std::stop_token stop)
    {
        using std::this_thread::sleep_for, std::chrono::milliseconds;
        std::string head;
        for (char c; head.find("\r\n\r\n") == std::string::npos && ::recv(socket, &c, 1, 0) == 1;)
            head += c;
        const std::size_t drip = then == Then::Drip ? reply.find("\r\n\r\n") + 4 : reply.size();
        ::send(socket, reply.data(), drip, MSG_NOSIGNAL);
        for (std::size_t at = drip; at < reply.size() && !stop.stop_requested(); ++at) {
            sleep_for(milliseconds(300));
            ::send(socket, reply.data() + at, 1, MSG_NOSIGNAL);
        }
        if (then == Then::Reset) {
            sleep_for(milliseconds(50));
            const linger abort{1, 0};
            ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        while (then == Then::Hold && !stop.stop_requested())
            sleep_for(milliseconds(10));
        ::close(socket);
    }

    int m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string m_url;
    std::jthread m_thread;
};

} // namespace corvano::test
