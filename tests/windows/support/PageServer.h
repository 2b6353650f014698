#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace corvano::test {

// An HTTP server on a loopback port answering one request at a time on its own thread: a
// page per path, a held one only after its delay (or at the stop), anything else with 404.
class PageServer
{
public:
    PageServer()
    {
        WSADATA data;
        if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
            throw std::runtime_error("WSAStartup failed");
        m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (m_listener == INVALID_SOCKET ||
            ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, SOMAXCONN) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on a loopback port");
        m_port = ::ntohs(address.sin_port);
        m_thread = std::thread([this] {
            for (SOCKET client; (client = ::accept(m_listener, nullptr, nullptr)) != INVALID_SOCKET;
                 ::closesocket(client))
                answer(client);
        });
    }
    ~PageServer()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_released.notify_all();
        ::closesocket(m_listener); // ends the wait in accept
        m_thread.join();
        ::WSACleanup();
    }
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    void serve(const std::string& path, std::string body,
               std::chrono::milliseconds delay = std::chrono::milliseconds(0))
    {
        const std::lock_guard lock(m_mutex);
        m_pages[path] = {std::move(body), delay};
    }
    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    int requests(const std::string& path) const
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_requests.find(path);
        return found == m_requests.end() ? 0 : found->second;
    }

private:
    void answer(SOCKET client)
    {
        std::string request;
        char buffer[4096];
        for (int got = 0; request.find("\r\n\r\n") == std::string::npos;
             request.append(buffer, got)) {
            if ((got = ::recv(client, buffer, sizeof buffer, 0)) <= 0)
                return;
        }
        const auto pathStart = request.find(' ') + 1;
        const std::string path =
            request.substr(pathStart, request.find(' ', pathStart) - pathStart);
        std::unique_lock lock(m_mutex);
        ++m_requests[path];
        const auto found = m_pages.find(path);
        if (found == m_pages.end())
            return send(client, "404 Not Found", "");
        const auto [body, delay] = found->second;
        if (!m_released.wait_for(lock, delay, [this] { return m_stopping; })) {
            lock.unlock();
            send(client, "200 OK", body);
        }
    }

    static void send(SOCKET client, const std::string& status, const std::string& body)
    {
        const std::string response = "HTTP/1.1 " + status +
                                     "\r\nContent-Type: text/html; charset=UTF-8\r\n"
                                     "Content-Length: " +
                                     std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
                                     body;
        ::send(client, response.data(), static_cast<int>(response.size()), 0);
        ::shutdown(client, SD_SEND);
    }

    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_stopping = false;
    std::map<std::string, std::pair<std::string, std::chrono::milliseconds>> m_pages;
    std::map<std::string, int> m_requests;
};

} // namespace corvano::test
